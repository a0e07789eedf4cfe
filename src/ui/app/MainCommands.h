#pragma once
// The main window's command table. Every command is one QAction, declared once
// in MainCommands.cpp as a record of named fields: object name, caption,
// shortcut, icon, hint, help topic, enabled and checked states, and the
// handler it runs. The menus, the grid's context menu and the button bar show
// these actions, so a command's enabled and checked states live on its action
// alone. A command added later is a record more; an entry shown disabled
// today is enabled by giving its record a handler.
#include <tuple>

class ComplianceCommands;
class FormulaDocument;
class GridEditor;
class LabPrintCommands;
class PlantCommands;
class LibraryCommands;
class QObject;
class RecalcCommands;
class TfrmMain;
struct MainMenus;

// The objects whose member functions run the commands.
using CommandReceivers = std::tuple<TfrmMain&, FormulaDocument&, GridEditor&, RecalcCommands&, LabPrintCommands&,
    PlantCommands&, LibraryCommands&, ComplianceCommands&>;

class MainCommands {
public:
    // Makes the action of every command, a child of owner, into its member of menus.
    static void create(MainMenus& menus, QObject& owner);
    // Connects every command that has a handler to it, once.
    static void connectHandlers(const MainMenus& menus, const CommandReceivers& receivers);

private:
    // The records, which name the receivers' handlers.
    struct Table;
};
