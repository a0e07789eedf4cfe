#include "app/MainMenus.h"

#include "app/Artwork.h"

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

QMenu* fileMenu(MenuBuilder& b)
{
    QMenu* file = b.topMenu("&File", "File1", 300);
    b.entry(file, {"&New...", "New1", QKeySequence(Qt::CTRL | Qt::Key_N), true, 1});
    b.entry(file, {"&Open...", "Open1", QKeySequence(Qt::CTRL | Qt::Key_O), true, 2});
    b.entry(file, {"&Save", "Save1", QKeySequence(Qt::CTRL | Qt::Key_S), false, 3});
    b.entry(file, {"Save &As...", "SaveAs1", {}, false});
    b.entry(file, {"P&roperties...", "Properties1", {}, true, 4});
    b.separator(file);
    QMenu* print = b.submenu(file, "&Print...", "Print1", 27);
    b.entry(print, {"&Lab Print", "LabPrint1"});
    b.entry(print, {"&Batch Print", "BatchPrint1", {}, false});
    b.separator(print);
    b.entry(print, {"&Materials Print", "MaterialsPrint1", {}, false});
    b.separator(file);
    b.entry(file, {"&Delete", "Delete1", {}, false, 5});
    b.separator(file, "N1");
    b.entry(file, {"E&xit", "Exit1"});
    return file;
}

void editMenu(MenuBuilder& b)
{
    QMenu* edit = b.topMenu("&Edit", "Edit1", 400);
    b.entry(edit, {"Cu&t", "mCut", QKeySequence(Qt::CTRL | Qt::Key_X), true, 6});
    b.entry(edit, {"&Copy", "mCopy", QKeySequence(Qt::CTRL | Qt::Key_C), true, 7});
    b.entry(edit, {"&Paste", "mPaste", QKeySequence(Qt::CTRL | Qt::Key_V), true, 8});
    b.separator(edit);
    b.entry(edit, {"Add", "Add2", QKeySequence(Qt::CTRL | Qt::Key_A)});
    b.separator(edit);
    b.entry(edit, {"&Find", "Find1", QKeySequence(Qt::CTRL | Qt::Key_F), false, 28});
    b.entry(edit, {"Copy &Out", "CopyOut1", {}, false});
    b.entry(edit, {"Exce&l Out", "Excel", {}, false, 9});
}

void tableMenu(MenuBuilder& b)
{
    QMenu* table = b.topMenu("&Table", "Table1", 500);
    b.entry(table, {"&Insert Row", "RMInsert1", {}, true, 10});
    b.entry(table, {"&Delete Row", "RMDelete1", {}, true, 11});
    b.entry(table, {"Flip &Percents", "FlipPercents1", {}, true, 15, true});
    b.separator(table);
    QMenu* materials = b.submenu(table, "M&aterials", "Material1");
    b.entry(materials, {"&Mark All", "MarkAll1", {}, true, 13});
    b.entry(materials, {"&Unmark All", "UnmarkAll1", {}, true, 14});
    b.entry(materials, {"&Flip Marked", "FlipMarked1"});
    b.separator(materials);
    b.entry(materials, {"&Create Material", "CreateMaterial1", {}, false});
    b.entry(table, {"&Reload", "Reload1", {}, true, 12});
    b.separator(table);
    b.entry(table, {"&Edit Materials...", "Materials1"});
}

// The Binder, Pigment, Solids and Volatile recalculations of one basis; only
// the cost recalculation is available.
void basisMenu(MenuBuilder& b, QMenu* recalc, const char* caption, const char* name, const char* suffix)
{
    QMenu* basis = b.submenu(recalc, caption, name);
    const auto named = [suffix](const char* stem) { return QByteArray(stem) + suffix; };
    const QByteArray binder = named("Binder"), cost = named("Cost"), pigment = named("Pigment"),
                     solids = named("Solids"), volatile_ = named("Volatile");
    b.entry(basis, {"&Binder", binder.constData(), {}, false, 19});
    b.entry(basis, {"Cos&t", cost.constData(), {}, true, 20});
    b.entry(basis, {"&Pigment", pigment.constData(), {}, false, 21});
    b.entry(basis, {"&Solids", solids.constData(), {}, false, 22});
    b.entry(basis, {"Vo&latile", volatile_.constData(), {}, false, 23});
}

void recalcMenu(MenuBuilder& b)
{
    QMenu* recalc = b.topMenu("&Recalc", "Recalc", 600);
    b.entry(recalc, {"&Weight", "Weight1", {}, true, 16});
    b.entry(recalc, {"&Volume", "Volume1", {}, true, 17});
    QMenu* scale = b.submenu(recalc, "Sca&le", "Scale1");
    b.entry(scale, {"&Weight", "Weight2", {}, false, 16});
    b.entry(scale, {"&Volume", "Volume2", {}, false, 17});
    b.separator(scale);
    b.entry(scale, {"&Percent", "Percent1", {}, false, 18});
    b.separator(recalc);
    basisMenu(b, recalc, "By W&eight", "ByWeight", "Wt");
    basisMenu(b, recalc, "By V&olume", "ByVolume1", "Vol");
    b.entry(recalc, {"&Density", "Density1", {}, false});
    b.entry(recalc, {"&SPG", "SPG1", {}, false});
    b.entry(recalc, {"Vo&c", "Voc1", {}, false});
    b.entry(recalc, {"P/B &Ratio", "PBRatio1", {}, false});
}

void optionsMenu(MenuBuilder& b)
{
    QMenu* options = b.topMenu("&Options", "Options", 700);
    b.entry(options, {"&Folders...", "Folders1", {}, false, 24});
    b.entry(options, {"&Update Local", "Update1", {}, false});
    b.separator(options);
    b.entry(options, {"&Network", "Network1", {}, false});
    b.entry(options, {"&Auto Reload", "AutoReload1", {}, true, NoIcon, true})->setChecked(true);
    b.entry(options, {"&Expand Form", "Expand1", {}, true, NoIcon, true});
    b.separator(options);
    b.entry(options, {"New &Instance", "NewInstance1", {}, false});
}

void helpMenu(MenuBuilder& b)
{
    QMenu* help = b.topMenu("&Help", "Help1", 800);
    b.entry(help, {"&Tip of the Day...", "Tips", {}, true, 25});
    b.separator(help);
    b.entry(help, {"&First Time User", "FirstTimeUser1"}, 0);
    b.entry(help, {"&Contents", "Contents1", QKeySequence(Qt::Key_F1), true, 26});
    b.separator(help);
    b.entry(help, {"&About", "About1"});
}

QMenu* gridPopupMenu(QMainWindow& window)
{
    auto* popup = new QMenu(&window);
    popup->setObjectName(QStringLiteral("PopupMenu"));
    setHelpContext(*popup, 900);
    const auto add = [popup](const char* caption, const char* name, int icon) {
        QAction* a = popup->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        if (icon != NoIcon)
            a->setIcon(Artwork::menuIcon(icon));
    };
    add("Cut", "PopupCut", 6);
    add("Copy", "PopupCopy", 7);
    add("Paste", "PopupPaste", 8);
    popup->addSeparator();
    add("Add", "PopupAdd", NoIcon);
    return popup;
}

}  // namespace

MainMenus createMainMenus(QMainWindow& window)
{
    MenuBuilder builder(window);
    MainMenus menus;
    menus.File1 = fileMenu(builder);
    editMenu(builder);
    tableMenu(builder);
    recalcMenu(builder);
    optionsMenu(builder);
    helpMenu(builder);
    menus.PopupMenu = gridPopupMenu(window);
    return menus;
}

int helpContextOf(const QObject& object)
{
    return object.property("HelpContext").toInt();
}
