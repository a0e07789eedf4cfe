#include "ui/app/MainMenus.h"

#include "ui/app/Artwork.h"
#include "ui/app/MainCommands.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

using Artwork::Icon;

void setHelpContext(QObject& object, int help)
{
    if (help != 0)
        object.setProperty("HelpContext", help);
}

// Menus and submenus with their object names and help topics; the entries are
// the commands' own actions.
void addEntries(QMenu* menu, std::initializer_list<QAction*> entries)
{
    for (QAction* entry : entries)
        menu->addAction(entry);
}

QAction* addSeparator(QMenu* menu, const char* name = nullptr)
{
    QAction* s = menu->addSeparator();
    if (name)
        s->setObjectName(QString::fromLatin1(name));
    return s;
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

    QMenu* submenu(QMenu* parent, const char* caption, const char* name, Icon icon = Icon::None)
    {
        QMenu* menu = parent->addMenu(QString::fromUtf8(caption));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        menu->setObjectName(QString::fromLatin1(name) + QStringLiteral("Menu"));
        menu->setIcon(Artwork::icon(icon));
        setHelpContext(*menu, help_);
        return menu;
    }

private:
    QMainWindow& window_;
    int help_ = 0;
};

void fileMenu(MenuBuilder& b, MainMenus& m)
{
    QMenu* file = m.File1 = b.topMenu("&File", "File1", MenuHelp::File);
    addEntries(file, {m.New1, m.Open1, m.Save1, m.SaveAs1, m.Properties1});
    addSeparator(file);
    QMenu* print = m.Print1 = b.submenu(file, "&Print...", "Print1", Icon::Print);
    addEntries(print, {m.LabPrint1, m.BatchPrint1});
    addSeparator(print);
    addEntries(print, {m.MaterialsPrint1});
    addSeparator(file);
    addEntries(file, {m.Delete1});
    m.N1 = addSeparator(file, "N1");
    addEntries(file, {m.Exit1});
}

void editMenu(MenuBuilder& b, MainMenus& m)
{
    QMenu* edit = b.topMenu("&Edit", "Edit1", MenuHelp::Edit);
    addEntries(edit, {m.Undo1, m.Redo1});
    addSeparator(edit);
    addEntries(edit, {m.mCut, m.mCopy, m.mPaste});
    addSeparator(edit);
    addEntries(edit, {m.Add2});
    addSeparator(edit);
    addEntries(edit, {m.Find1, m.CopyOut1, m.Excel});
}

void tableMenu(MenuBuilder& b, MainMenus& m)
{
    QMenu* table = b.topMenu("&Table", "Table1", MenuHelp::Table);
    addEntries(table, {m.RMInsert1, m.RMDelete1, m.FlipPercents1});
    addSeparator(table);
    QMenu* materials = m.Material1 = b.submenu(table, "M&aterials", "Material1");
    addEntries(materials, {m.MarkAll1, m.UnmarkAll1, m.FlipMarked1});
    addSeparator(materials);
    addEntries(materials, {m.CreateMaterial1, m.UpdateMade1});
    addEntries(table, {m.Reload1});
    addSeparator(table);
    addEntries(table, {m.Materials1, m.Compliance1});
}

void recalcMenu(MenuBuilder& b, MainMenus& m)
{
    QMenu* recalc = b.topMenu("&Recalc", "Recalc", MenuHelp::Recalc);
    addEntries(recalc, {m.Weight1, m.Volume1});
    QMenu* scale = m.Scale1 = b.submenu(recalc, "Sca&le", "Scale1");
    addEntries(scale, {m.Weight2, m.Volume2});
    addSeparator(scale);
    addEntries(scale, {m.Percent1});
    addSeparator(recalc);
    m.ByWeight = b.submenu(recalc, "By W&eight", "ByWeight");
    addEntries(m.ByWeight, {m.BinderWt, m.CostWt, m.PigmentWt, m.SolidsWt, m.VolatileWt});
    m.ByVolume1 = b.submenu(recalc, "By V&olume", "ByVolume1");
    addEntries(m.ByVolume1, {m.BinderVol, m.CostVol, m.PigmentVol, m.SolidsVol, m.VolatileVol});
    addEntries(recalc, {m.Density1, m.SPG1, m.Voc1, m.PBRatio1});
    addSeparator(recalc);
    addEntries(recalc, {m.Optimise1});
}

void optionsMenu(MenuBuilder& b, MainMenus& m)
{
    QMenu* options = b.topMenu("&Options", "Options", MenuHelp::Options);
    addEntries(options, {m.Folders1, m.Update1});
    addSeparator(options);
    addEntries(options, {m.Network1, m.AutoReload1, m.Expand1});
    addSeparator(options);
    addEntries(options, {m.NewInstance1});
}

void helpMenu(MenuBuilder& b, MainMenus& m)
{
    QMenu* help = b.topMenu("&Help", "Help1", MenuHelp::Help);
    addEntries(help, {m.Tips});
    addSeparator(help);
    addEntries(help, {m.FirstTimeUser1, m.Contents1});
    addSeparator(help);
    addEntries(help, {m.About1});
}

// An entry of the context menu that runs a command of the Edit menu: the
// command's caption without its access key and shortcut, its icon, and
// enabled as the command is.
QAction* popupEntry(QMenu* popup, const char* name, QAction* command)
{
    QAction* entry = popup->addAction(QString(command->text()).remove(QLatin1Char('&')));
    entry->setObjectName(QString::fromLatin1(name));
    entry->setIcon(command->icon());
    entry->setEnabled(command->isEnabled());
    QObject::connect(command, &QAction::changed, entry, [entry, command] { entry->setEnabled(command->isEnabled()); });
    QObject::connect(entry, &QAction::triggered, command, &QAction::trigger);
    return entry;
}

void gridPopupMenu(QMainWindow& window, MainMenus& m)
{
    auto* popup = m.PopupMenu = new QMenu(&window);
    popup->setObjectName(QStringLiteral("PopupMenu"));
    setHelpContext(*popup, MenuHelp::GridPopup);
    m.PopupCut = popupEntry(popup, "PopupCut", m.mCut);
    m.PopupCopy = popupEntry(popup, "PopupCopy", m.mCopy);
    m.PopupPaste = popupEntry(popup, "PopupPaste", m.mPaste);
    popup->addSeparator();
    m.PopupAdd = popupEntry(popup, "PopupAdd", m.Add2);
}

}  // namespace

MainMenus createMainMenus(QMainWindow& window)
{
    MainMenus menus;
    MainCommands::create(menus, window);
    MenuBuilder builder(window);
    fileMenu(builder, menus);
    editMenu(builder, menus);
    tableMenu(builder, menus);
    recalcMenu(builder, menus);
    optionsMenu(builder, menus);
    helpMenu(builder, menus);
    gridPopupMenu(window, menus);
    return menus;
}
