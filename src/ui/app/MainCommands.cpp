#include "ui/app/MainCommands.h"

#include "ui/app/Artwork.h"
#include "ui/app/ComplianceCommands.h"
#include "ui/app/FormulaDocument.h"
#include "ui/app/GridEditor.h"
#include "ui/app/LibraryCommands.h"
#include "ui/app/MainMenus.h"
#include "ui/app/RecalcCommands.h"
#include "ui/app/TfrmMain.h"
#include "ui/print/LabPrintCommands.h"
#include "ui/print/PlantCommands.h"

#include <QAction>
#include <QKeySequence>

#include <span>
#include <variant>

namespace {

using Artwork::Icon;

// The member function a command runs, on one of the receivers; none for a
// command that is shown but not built yet.
using Handler = std::variant<std::monostate, void (TfrmMain::*)(), void (FormulaDocument::*)(), void (GridEditor::*)(),
    void (RecalcCommands::*)(), void (LabPrintCommands::*)(), void (PlantCommands::*)(), void (LibraryCommands::*)(),
    void (ComplianceCommands::*)()>;

struct Command {
    QAction* MainMenus::*action;
    const char* name;  // the object name, which the help and the tests know it by
    const char* caption;  // "&" marks the access key
    QKeySequence shortcut = {};
    QKeySequence otherShortcut = {};  // a second key for the same command
    Icon icon = Icon::None;
    bool iconInMenu = true;  // false: the icon is its button's alone
    // The button's hint (the action's tool tip); null: the caption without its
    // access key and dots.
    const char* hint = nullptr;
    int help = 0;  // the context-help topic, 0 for none
    bool enabled = true;
    bool checkable = false;
    bool checked = false;  // at start
    Handler run = {};
};

using M = MainMenus;
using Key = QKeySequence;

}  // namespace

struct MainCommands::Table {
    static std::span<const Command> fileAndEditCommands();
    static std::span<const Command> tableCommands();
    static std::span<const Command> recalcCommands();
    static std::span<const Command> optionsAndHelpCommands();
    static std::span<const Command> buttonBarCommands();

    template <typename Visit>
    static void forEach(Visit visit)
    {
        for (const auto table :
            {fileAndEditCommands(), tableCommands(), recalcCommands(), optionsAndHelpCommands(), buttonBarCommands()})
            for (const Command& command : table)
                visit(command);
    }
};

std::span<const Command> MainCommands::Table::fileAndEditCommands()
{
    // A record kept on one or two lines reads as one command.
    // clang-format off
    static const Command commands[] = {
        // The captions name the step: "Undo Solids by Volume".
        {.action = &M::Undo1, .name = "Undo1", .caption = "&Undo", .shortcut = Key(Qt::CTRL | Qt::Key_Z),
            .help = MenuHelp::Edit, .enabled = false, .run = &TfrmMain::Undo1Click},
        {.action = &M::Redo1, .name = "Redo1", .caption = "&Redo", .shortcut = Key(Qt::CTRL | Qt::Key_Y),
            .otherShortcut = Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), .help = MenuHelp::Edit, .enabled = false,
            .run = &TfrmMain::Redo1Click},
        {.action = &M::New1, .name = "New1", .caption = "&New...", .shortcut = Key(Qt::CTRL | Qt::Key_N),
            .icon = Icon::New, .hint = "New", .help = MenuHelp::File, .run = &TfrmMain::New1Click},
        {.action = &M::Open1, .name = "Open1", .caption = "&Open...", .shortcut = Key(Qt::CTRL | Qt::Key_O),
            .icon = Icon::Open, .hint = "Open", .help = MenuHelp::File, .run = &TfrmMain::Open1Click},
        {.action = &M::Save1, .name = "Save1", .caption = "&Save", .shortcut = Key(Qt::CTRL | Qt::Key_S),
            .icon = Icon::Save, .hint = "Save", .help = MenuHelp::File, .run = &FormulaDocument::Save1Click},
        {.action = &M::SaveAs1, .name = "SaveAs1", .caption = "Save &As...", .help = MenuHelp::File,
            .run = &FormulaDocument::SaveAs1Click},
        {.action = &M::Properties1, .name = "Properties1", .caption = "P&roperties...", .icon = Icon::Properties,
            .hint = "Formula Properties", .help = MenuHelp::File, .run = &TfrmMain::Properties1Click},
        {.action = &M::LabPrint1, .name = "LabPrint1", .caption = "&Lab Print", .help = MenuHelp::File,
            .run = &LabPrintCommands::LabPrint1Click},
        {.action = &M::BatchPrint1, .name = "BatchPrint1", .caption = "&Batch Print", .help = MenuHelp::File,
            .run = &PlantCommands::BatchPrint1Click},
        {.action = &M::MaterialsPrint1, .name = "MaterialsPrint1", .caption = "&Materials Print",
            .help = MenuHelp::File, .run = &PlantCommands::MaterialsPrint1Click},
        {.action = &M::Delete1, .name = "Delete1", .caption = "&Delete", .icon = Icon::Delete, .help = MenuHelp::File,
            .run = &LibraryCommands::Delete1Click},
        {.action = &M::Exit1, .name = "Exit1", .caption = "E&xit", .help = MenuHelp::File,
            .run = &TfrmMain::Exit1Click},
        {.action = &M::mCut, .name = "mCut", .caption = "Cu&t", .shortcut = Key(Qt::CTRL | Qt::Key_X),
            .icon = Icon::Cut, .help = MenuHelp::Edit, .run = &GridEditor::mCutClick},
        {.action = &M::mCopy, .name = "mCopy", .caption = "&Copy", .shortcut = Key(Qt::CTRL | Qt::Key_C),
            .icon = Icon::Copy, .help = MenuHelp::Edit, .run = &GridEditor::mCopyClick},
        {.action = &M::mPaste, .name = "mPaste", .caption = "&Paste", .shortcut = Key(Qt::CTRL | Qt::Key_V),
            .icon = Icon::Paste, .help = MenuHelp::Edit, .run = &GridEditor::mPasteClick},
        {.action = &M::Add2, .name = "Add2", .caption = "Add", .shortcut = Key(Qt::CTRL | Qt::Key_A),
            .help = MenuHelp::Edit, .run = &GridEditor::Add1Click},
        {.action = &M::Find1, .name = "Find1", .caption = "&Find", .shortcut = Key(Qt::CTRL | Qt::Key_F),
            .icon = Icon::Find, .help = MenuHelp::Edit, .run = &LibraryCommands::Find1Click},
        {.action = &M::CopyOut1, .name = "CopyOut1", .caption = "Copy &Out", .help = MenuHelp::Edit,
            .run = &PlantCommands::CopyOut1Click},
        {.action = &M::Excel, .name = "Excel", .caption = "Exce&l Out", .icon = Icon::ExcelOut, .hint = "Excel Out",
            .help = MenuHelp::Edit, .run = &PlantCommands::ExcelClick},
    };
    // clang-format on
    return commands;
}

std::span<const Command> MainCommands::Table::tableCommands()
{
    // A record kept on one or two lines reads as one command.
    // clang-format off
    static const Command commands[] = {
        {.action = &M::RMInsert1, .name = "RMInsert1", .caption = "&Insert Row", .icon = Icon::InsertRow,
            .hint = "Insert Row", .help = MenuHelp::Table, .run = &GridEditor::RMInsert1Click},
        {.action = &M::RMDelete1, .name = "RMDelete1", .caption = "&Delete Row", .icon = Icon::DeleteRow,
            .hint = "Delete Row", .help = MenuHelp::Table, .run = &GridEditor::RMDelete1Click},
        // Checked while the percents are by volume.
        {.action = &M::FlipPercents1, .name = "FlipPercents1", .caption = "Flip &Percents",
            .icon = Icon::FlipPercents, .hint = "Flip Percents", .help = MenuHelp::Table, .checkable = true,
            .run = &TfrmMain::FlipPercents1Click},
        {.action = &M::MarkAll1, .name = "MarkAll1", .caption = "&Mark All", .icon = Icon::MarkAll,
            .hint = "Mark All", .help = MenuHelp::Table, .run = &GridEditor::MarkAll1Click},
        {.action = &M::UnmarkAll1, .name = "UnmarkAll1", .caption = "&Unmark All", .icon = Icon::UnmarkAll,
            .hint = "Unmark All", .help = MenuHelp::Table, .run = &GridEditor::UnmarkAll1Click},
        {.action = &M::FlipMarked1, .name = "FlipMarked1", .caption = "&Flip Marked", .help = MenuHelp::Table,
            .run = &GridEditor::FlipMarked1Click},
        {.action = &M::CreateMaterial1, .name = "CreateMaterial1", .caption = "&Create Material",
            .help = MenuHelp::Table, .run = &LibraryCommands::CreateMaterial1Click},
        {.action = &M::UpdateMade1, .name = "UpdateMade1", .caption = "U&pdate Made Materials...",
            .help = MenuHelp::Table, .run = &LibraryCommands::UpdateMade1Click},
        {.action = &M::Reload1, .name = "Reload1", .caption = "&Reload", .icon = Icon::Reload,
            .help = MenuHelp::Table, .run = &TfrmMain::Reload1Click},
        {.action = &M::Materials1, .name = "Materials1", .caption = "&Edit Materials...", .icon = Icon::EditMaterials,
            .iconInMenu = false, .hint = "Edit Materials", .help = MenuHelp::Table, .run = &TfrmMain::Materials1Click},
        // A window of its own that stays open and follows the sheet.
        {.action = &M::Compliance1, .name = "Compliance1", .caption = "Co&mpliance...", .help = MenuHelp::Table,
            .run = &ComplianceCommands::Compliance1Click},
    };
    // clang-format on
    return commands;
}

std::span<const Command> MainCommands::Table::recalcCommands()
{
    // A record kept on one or two lines reads as one command.
    // clang-format off
    static const Command commands[] = {
        {.action = &M::Weight1, .name = "Weight1", .caption = "&Weight", .icon = Icon::Weight,
            .hint = "Weight Recalc", .help = MenuHelp::Recalc, .run = &RecalcCommands::Weight1Click},
        {.action = &M::Volume1, .name = "Volume1", .caption = "&Volume", .icon = Icon::Volume,
            .hint = "Volume Recalc", .help = MenuHelp::Recalc, .run = &RecalcCommands::Volume1Click},
        {.action = &M::Weight2, .name = "Weight2", .caption = "&Weight", .icon = Icon::Weight,
            .hint = "Scale Weight", .help = MenuHelp::Recalc, .run = &RecalcCommands::Weight2Click},
        {.action = &M::Volume2, .name = "Volume2", .caption = "&Volume", .icon = Icon::Volume,
            .hint = "Scale Volume", .help = MenuHelp::Recalc, .run = &RecalcCommands::Volume2Click},
        {.action = &M::Percent1, .name = "Percent1", .caption = "&Percent", .icon = Icon::Percent,
            .hint = "Percent Recalc", .help = MenuHelp::Recalc, .run = &RecalcCommands::Percent1Click},
        {.action = &M::BinderWt, .name = "BinderWt", .caption = "&Binder", .icon = Icon::Binder,
            .hint = "Binder by Weight", .help = MenuHelp::Recalc, .run = &RecalcCommands::BinderWtClick},
        {.action = &M::CostWt, .name = "CostWt", .caption = "Cos&t", .icon = Icon::Cost,
            .hint = "Cost by Weight", .help = MenuHelp::Recalc, .run = &RecalcCommands::CostWtClick},
        {.action = &M::PigmentWt, .name = "PigmentWt", .caption = "&Pigment", .icon = Icon::Pigment,
            .hint = "Pigment by Weight", .help = MenuHelp::Recalc, .run = &RecalcCommands::PigmentWtClick},
        {.action = &M::SolidsWt, .name = "SolidsWt", .caption = "&Solids", .icon = Icon::Solids,
            .hint = "Solids by Weight", .help = MenuHelp::Recalc, .run = &RecalcCommands::SolidsWtClick},
        {.action = &M::VolatileWt, .name = "VolatileWt", .caption = "Vo&latile", .icon = Icon::Volatile,
            .hint = "Volatile by Weight", .help = MenuHelp::Recalc, .run = &RecalcCommands::VolatileWtClick},
        {.action = &M::BinderVol, .name = "BinderVol", .caption = "&Binder", .icon = Icon::Binder,
            .hint = "Binder by Volume", .help = MenuHelp::Recalc, .run = &RecalcCommands::BinderVolClick},
        {.action = &M::CostVol, .name = "CostVol", .caption = "Cos&t", .icon = Icon::Cost,
            .hint = "Cost by Volume", .help = MenuHelp::Recalc, .run = &RecalcCommands::CostVolClick},
        {.action = &M::PigmentVol, .name = "PigmentVol", .caption = "&Pigment", .icon = Icon::Pigment,
            .hint = "Pigment by Volume", .help = MenuHelp::Recalc, .run = &RecalcCommands::PigmentVolClick},
        {.action = &M::SolidsVol, .name = "SolidsVol", .caption = "&Solids", .icon = Icon::Solids,
            .hint = "Solids by Volume", .help = MenuHelp::Recalc, .run = &RecalcCommands::SolidsVolClick},
        {.action = &M::VolatileVol, .name = "VolatileVol", .caption = "Vo&latile", .icon = Icon::Volatile,
            .hint = "Volatile by Volume", .help = MenuHelp::Recalc, .run = &RecalcCommands::VolatileVolClick},
        {.action = &M::Density1, .name = "Density1", .caption = "&Density", .hint = "Density Recalc",
            .help = MenuHelp::Recalc, .run = &RecalcCommands::Density1Click},
        {.action = &M::SPG1, .name = "SPG1", .caption = "&SPG", .hint = "SPG Recalc", .help = MenuHelp::Recalc,
            .run = &RecalcCommands::SPG1Click},
        {.action = &M::Voc1, .name = "Voc1", .caption = "Vo&c", .hint = "VOC Recalc", .help = MenuHelp::Recalc,
            .run = &RecalcCommands::Voc1Click},
        {.action = &M::PBRatio1, .name = "PBRatio1", .caption = "P/B &Ratio", .hint = "P/B Ratio Recalc",
            .help = MenuHelp::Recalc, .run = &RecalcCommands::PBRatio1Click},
        {.action = &M::Optimise1, .name = "Optimise1", .caption = "Op&timise...", .hint = "Least-cost Optimise",
            .help = MenuHelp::Recalc, .run = &RecalcCommands::Optimise1Click},
    };
    // clang-format on
    return commands;
}

std::span<const Command> MainCommands::Table::optionsAndHelpCommands()
{
    // A record kept on one or two lines reads as one command.
    // clang-format off
    static const Command commands[] = {
        {.action = &M::Folders1, .name = "Folders1", .caption = "&Folders...", .icon = Icon::Folders,
            .help = MenuHelp::Options, .run = &TfrmMain::Folders1Click},
        {.action = &M::Update1, .name = "Update1", .caption = "&Update Local", .help = MenuHelp::Options,
            .enabled = false},
        {.action = &M::Network1, .name = "Network1", .caption = "&Network", .help = MenuHelp::Options,
            .enabled = false},
        // A setting that Edit Materials reads; it runs nothing itself.
        {.action = &M::AutoReload1, .name = "AutoReload1", .caption = "&Auto Reload", .help = MenuHelp::Options,
            .checkable = true, .checked = true},
        // Checked while the window is at its full height.
        {.action = &M::Expand1, .name = "Expand1", .caption = "&Expand Form", .help = MenuHelp::Options,
            .checkable = true, .run = &TfrmMain::Expand1Click},
        {.action = &M::NewInstance1, .name = "NewInstance1", .caption = "New &Instance", .help = MenuHelp::Options,
            .run = &LibraryCommands::NewInstance1Click},
        {.action = &M::Tips, .name = "Tips", .caption = "&Tip of the Day...", .icon = Icon::TipOfTheDay,
            .help = MenuHelp::Help, .run = &TfrmMain::TipsClick},
        // Opens a help topic of its own: no context topic.
        {.action = &M::FirstTimeUser1, .name = "FirstTimeUser1", .caption = "&First Time User",
            .run = &TfrmMain::FirstTimeUser1Click},
        {.action = &M::Contents1, .name = "Contents1", .caption = "&Contents", .shortcut = Key(Qt::Key_F1),
            .icon = Icon::HelpContents, .help = MenuHelp::Help, .run = &TfrmMain::Contents1Click},
        // The caption is completed with the product's name at start-up.
        {.action = &M::About1, .name = "About1", .caption = "&About", .help = MenuHelp::Help,
            .run = &TfrmMain::About1Click},
    };
    // clang-format on
    return commands;
}

// Commands of the button bar alone: the caption is the button's hint.
std::span<const Command> MainCommands::Table::buttonBarCommands()
{
    // A record kept on one or two lines reads as one command.
    // clang-format off
    static const Command commands[] = {
        // At once on the current printer, without the dialog of Lab Print.
        {.action = &M::PrintNow, .name = "PrintNow", .caption = "Print", .icon = Icon::Print,
            .run = &LabPrintCommands::PrintButtonClick},
        // The formula onto the clipboard as Copy Out puts it, for pasting into a spreadsheet.
        {.action = &M::CopyOutNow, .name = "CopyOutNow", .caption = "Excel Out", .icon = Icon::ExcelOut,
            .help = MenuHelp::Edit, .run = &PlantCommands::CopyOut1Click},
        // By weight or by volume as the percents are.
        {.action = &M::BinderRecalc, .name = "BinderRecalc", .caption = "Binder Recalc", .icon = Icon::Binder,
            .help = MenuHelp::Recalc, .run = &RecalcCommands::BinderButtonClick},
        {.action = &M::CostRecalc, .name = "CostRecalc", .caption = "Cost Recalc", .icon = Icon::Cost,
            .help = MenuHelp::Recalc, .run = &RecalcCommands::CostButtonClick},
        {.action = &M::PigmentRecalc, .name = "PigmentRecalc", .caption = "Pigment Recalc", .icon = Icon::Pigment,
            .help = MenuHelp::Recalc, .run = &RecalcCommands::PigmentButtonClick},
        {.action = &M::SolidsRecalc, .name = "SolidsRecalc", .caption = "Solids Recalc", .icon = Icon::Solids,
            .help = MenuHelp::Recalc, .run = &RecalcCommands::SolidsButtonClick},
        {.action = &M::VolatileRecalc, .name = "VolatileRecalc", .caption = "Volatile Recalc", .icon = Icon::Volatile,
            .help = MenuHelp::Recalc, .run = &RecalcCommands::VolatileButtonClick},
    };
    // clang-format on
    return commands;
}

namespace {

QAction* makeAction(const Command& c, QObject& owner)
{
    auto* action = new QAction(QString::fromUtf8(c.caption), &owner);
    action->setObjectName(QString::fromLatin1(c.name));
    if (c.otherShortcut.isEmpty())
        action->setShortcut(c.shortcut);
    else
        action->setShortcuts({c.shortcut, c.otherShortcut});
    action->setIcon(Artwork::icon(c.icon));
    if (!c.iconInMenu)
        action->setIconVisibleInMenu(false);
    if (c.hint)
        action->setToolTip(QString::fromUtf8(c.hint));
    if (c.help != 0)
        action->setProperty("HelpContext", c.help);
    action->setEnabled(c.enabled);
    action->setCheckable(c.checkable);
    action->setChecked(c.checked);
    return action;
}

void connectHandler(QAction*, const CommandReceivers&, std::monostate)
{
}

template <typename Receiver>
void connectHandler(QAction* action, const CommandReceivers& receivers, void (Receiver::*handler)())
{
    QObject::connect(action, &QAction::triggered, &std::get<Receiver&>(receivers), handler);
}

}  // namespace

void MainCommands::create(MainMenus& menus, QObject& owner)
{
    Table::forEach([&](const Command& c) { menus.*c.action = makeAction(c, owner); });
}

void MainCommands::connectHandlers(const MainMenus& menus, const CommandReceivers& receivers)
{
    Table::forEach([&](const Command& c) {
        std::visit([&](auto handler) { connectHandler(menus.*c.action, receivers, handler); }, c.run);
    });
}
