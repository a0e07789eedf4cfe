#include "ui/app/MainMenus.h"

#include "ui/app/Artwork.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

constexpr int NoIcon = -2;

struct Entry {
    const char* caption;
    const char* name;
    QKeySequence shortcut = {};
    bool enabled = true;
    int icon = NoIcon;
    bool checkable = false;
};

void setHelpContext(QObject& object, int help)
{
    if (help != 0)
        object.setProperty("HelpContext", help);
}

class MenuBuilder {
public:
    explicit MenuBuilder(QMainWindow& window)
        : window_(window)
    {
    }

    QMenu* topMenu(const char* caption, const char* name, int help)
    {
        QMenu* menu = window_.menuBar()->addMenu(QString::fromUtf8(caption));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        menu->setObjectName(QString::fromLatin1(name) + QStringLiteral("Menu"));
        help_ = help;
        setHelpContext(*menu, help);
        return menu;
    }

    QMenu* submenu(QMenu* parent, const char* caption, const char* name, int icon = NoIcon, bool enabled = true)
    {
        QMenu* menu = parent->addMenu(QString::fromUtf8(caption));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        menu->setObjectName(QString::fromLatin1(name) + QStringLiteral("Menu"));
        menu->setEnabled(enabled);
        if (icon != NoIcon)
            menu->setIcon(Artwork::menuIcon(icon));
        setHelpContext(*menu, help_);
        return menu;
    }

    QAction* entry(QMenu* menu, const Entry& e, int help = -1)
    {
        QAction* action = menu->addAction(QString::fromUtf8(e.caption));
        action->setObjectName(QString::fromLatin1(e.name));
        action->setShortcut(e.shortcut);
        action->setEnabled(e.enabled);
        action->setCheckable(e.checkable);
        if (e.icon != NoIcon)
            action->setIcon(Artwork::menuIcon(e.icon));
        setHelpContext(*action, help < 0 ? help_ : help);
        return action;
    }

    QAction* separator(QMenu* menu, const char* name = nullptr)
    {
        QAction* s = menu->addSeparator();
        if (name)
            s->setObjectName(QString::fromLatin1(name));
        return s;
    }

private:
    QMainWindow& window_;
    int help_ = 0;
};

void fileMenu(MenuBuilder& b, MainMenus& m)
{
    QMenu* file = m.File1 = b.topMenu("&File", "File1", 300);
    m.New1 = b.entry(file, {"&New...", "New1", QKeySequence(Qt::CTRL | Qt::Key_N), true, 1});
    m.Open1 = b.entry(file, {"&Open...", "Open1", QKeySequence(Qt::CTRL | Qt::Key_O), true, 2});
    m.Save1 = b.entry(file, {"&Save", "Save1", QKeySequence(Qt::CTRL | Qt::Key_S), true, 3});
    m.SaveAs1 = b.entry(file, {"Save &As...", "SaveAs1", {}, true});
    m.Properties1 = b.entry(file, {"P&roperties...", "Properties1", {}, true, 4});
    b.separator(file);
    QMenu* print = m.Print1 = b.submenu(file, "&Print...", "Print1", 27);
    m.LabPrint1 = b.entry(print, {"&Lab Print", "LabPrint1"});
    m.BatchPrint1 = b.entry(print, {"&Batch Print", "BatchPrint1", {}, false});
    b.separator(print);
    m.MaterialsPrint1 = b.entry(print, {"&Materials Print", "MaterialsPrint1", {}, false});
    b.separator(file);
    m.Delete1 = b.entry(file, {"&Delete", "Delete1", {}, false, 5});
    m.N1 = b.separator(file, "N1");
    m.Exit1 = b.entry(file, {"E&xit", "Exit1"});
}

void editMenu(MenuBuilder& b, MainMenus& m)
{
    QMenu* edit = b.topMenu("&Edit", "Edit1", 400);
    m.mCut = b.entry(edit, {"Cu&t", "mCut", QKeySequence(Qt::CTRL | Qt::Key_X), true, 6});
    m.mCopy = b.entry(edit, {"&Copy", "mCopy", QKeySequence(Qt::CTRL | Qt::Key_C), true, 7});
    m.mPaste = b.entry(edit, {"&Paste", "mPaste", QKeySequence(Qt::CTRL | Qt::Key_V), true, 8});
    b.separator(edit);
    m.Add2 = b.entry(edit, {"Add", "Add2", QKeySequence(Qt::CTRL | Qt::Key_A)});
    b.separator(edit);
    m.Find1 = b.entry(edit, {"&Find", "Find1", QKeySequence(Qt::CTRL | Qt::Key_F), false, 28});
    m.CopyOut1 = b.entry(edit, {"Copy &Out", "CopyOut1", {}, false});
    m.Excel = b.entry(edit, {"Exce&l Out", "Excel", {}, false, 9});
}

void tableMenu(MenuBuilder& b, MainMenus& m)
{
    QMenu* table = b.topMenu("&Table", "Table1", 500);
    m.RMInsert1 = b.entry(table, {"&Insert Row", "RMInsert1", {}, true, 10});
    m.RMDelete1 = b.entry(table, {"&Delete Row", "RMDelete1", {}, true, 11});
    m.FlipPercents1 = b.entry(table, {"Flip &Percents", "FlipPercents1", {}, true, 15, true});
    b.separator(table);
    QMenu* materials = m.Material1 = b.submenu(table, "M&aterials", "Material1");
    m.MarkAll1 = b.entry(materials, {"&Mark All", "MarkAll1", {}, true, 13});
    m.UnmarkAll1 = b.entry(materials, {"&Unmark All", "UnmarkAll1", {}, true, 14});
    m.FlipMarked1 = b.entry(materials, {"&Flip Marked", "FlipMarked1"});
    b.separator(materials);
    m.CreateMaterial1 = b.entry(materials, {"&Create Material", "CreateMaterial1", {}, false});
    m.Reload1 = b.entry(table, {"&Reload", "Reload1", {}, true, 12});
    b.separator(table);
    m.Materials1 = b.entry(table, {"&Edit Materials...", "Materials1"});
}

// The Binder, Pigment, Solids and Volatile recalculations of one basis; only
// the cost recalculation is available.
// The members of the struct that keep one basis submenu and its entries.
struct BasisMembers {
    QMenu*& menu;
    QAction *&binder, *&cost, *&pigment, *&solids, *&volatile_;
};

void basisMenu(
    MenuBuilder& b, QMenu* recalc, const char* caption, const char* name, const char* suffix, BasisMembers out)
{
    QMenu* basis = out.menu = b.submenu(recalc, caption, name);
    const auto add = [&](const char* entryCaption, const char* stem, bool enabled, int icon) {
        const QByteArray entryName = QByteArray(stem) + suffix;
        return b.entry(basis, {entryCaption, entryName.constData(), {}, enabled, icon});
    };
    out.binder = add("&Binder", "Binder", false, 19);
    out.cost = add("Cos&t", "Cost", true, 20);
    out.pigment = add("&Pigment", "Pigment", false, 21);
    out.solids = add("&Solids", "Solids", false, 22);
    out.volatile_ = add("Vo&latile", "Volatile", false, 23);
}

void recalcMenu(MenuBuilder& b, MainMenus& m)
{
    QMenu* recalc = b.topMenu("&Recalc", "Recalc", 600);
    m.Weight1 = b.entry(recalc, {"&Weight", "Weight1", {}, true, 16});
    m.Volume1 = b.entry(recalc, {"&Volume", "Volume1", {}, true, 17});
    QMenu* scale = m.Scale1 = b.submenu(recalc, "Sca&le", "Scale1");
    m.Weight2 = b.entry(scale, {"&Weight", "Weight2", {}, false, 16});
    m.Volume2 = b.entry(scale, {"&Volume", "Volume2", {}, false, 17});
    b.separator(scale);
    m.Percent1 = b.entry(scale, {"&Percent", "Percent1", {}, false, 18});
    b.separator(recalc);
    basisMenu(b, recalc, "By W&eight", "ByWeight", "Wt",
        {m.ByWeight, m.BinderWt, m.CostWt, m.PigmentWt, m.SolidsWt, m.VolatileWt});
    basisMenu(b, recalc, "By V&olume", "ByVolume1", "Vol",
        {m.ByVolume1, m.BinderVol, m.CostVol, m.PigmentVol, m.SolidsVol, m.VolatileVol});
    m.Density1 = b.entry(recalc, {"&Density", "Density1", {}, false});
    m.SPG1 = b.entry(recalc, {"&SPG", "SPG1", {}, false});
    m.Voc1 = b.entry(recalc, {"Vo&c", "Voc1", {}, false});
    m.PBRatio1 = b.entry(recalc, {"P/B &Ratio", "PBRatio1", {}, false});
}

void optionsMenu(MenuBuilder& b, MainMenus& m)
{
    QMenu* options = b.topMenu("&Options", "Options", 700);
    m.Folders1 = b.entry(options, {"&Folders...", "Folders1", {}, false, 24});
    m.Update1 = b.entry(options, {"&Update Local", "Update1", {}, false});
    b.separator(options);
    m.Network1 = b.entry(options, {"&Network", "Network1", {}, false});
    m.AutoReload1 = b.entry(options, {"&Auto Reload", "AutoReload1", {}, true, NoIcon, true});
    m.AutoReload1->setChecked(true);
    m.Expand1 = b.entry(options, {"&Expand Form", "Expand1", {}, true, NoIcon, true});
    b.separator(options);
    m.NewInstance1 = b.entry(options, {"New &Instance", "NewInstance1", {}, false});
}

void helpMenu(MenuBuilder& b, MainMenus& m)
{
    QMenu* help = b.topMenu("&Help", "Help1", 800);
    m.Tips = b.entry(help, {"&Tip of the Day...", "Tips", {}, true, 25});
    b.separator(help);
    m.FirstTimeUser1 = b.entry(help, {"&First Time User", "FirstTimeUser1"}, 0);
    m.Contents1 = b.entry(help, {"&Contents", "Contents1", QKeySequence(Qt::Key_F1), true, 26});
    b.separator(help);
    m.About1 = b.entry(help, {"&About", "About1"});
}

void gridPopupMenu(QMainWindow& window, MainMenus& m)
{
    auto* popup = m.PopupMenu = new QMenu(&window);
    popup->setObjectName(QStringLiteral("PopupMenu"));
    setHelpContext(*popup, 900);
    const auto add = [popup](const char* caption, const char* name, int icon) {
        QAction* a = popup->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        if (icon != NoIcon)
            a->setIcon(Artwork::menuIcon(icon));
        return a;
    };
    m.PopupCut = add("Cut", "PopupCut", 6);
    m.PopupCopy = add("Copy", "PopupCopy", 7);
    m.PopupPaste = add("Paste", "PopupPaste", 8);
    popup->addSeparator();
    m.PopupAdd = add("Add", "PopupAdd", NoIcon);
}

}  // namespace

MainMenus createMainMenus(QMainWindow& window)
{
    MenuBuilder builder(window);
    MainMenus menus;
    fileMenu(builder, menus);
    editMenu(builder, menus);
    tableMenu(builder, menus);
    recalcMenu(builder, menus);
    optionsMenu(builder, menus);
    helpMenu(builder, menus);
    gridPopupMenu(window, menus);
    return menus;
}

int helpContextOf(const QObject& object)
{
    return object.property("HelpContext").toInt();
}
