#pragma once
// The main window's menu bar and the grid's context menu. Every entry is a
// QAction named as the program names it (New1, Open1, FlipPercents1 ...), so
// handlers and tests find it with findChild; disabled entries stay disabled
// and are connected to nothing.
class QMainWindow;
class QMenu;

struct MainMenus {
    QMenu* File1 = nullptr;
    QMenu* PopupMenu = nullptr;  // the grid's context menu
};

MainMenus createMainMenus(QMainWindow& window);

// The context-help number of a menu, action or control, or 0.
int helpContextOf(const class QObject& object);
