#pragma once
// The main window the start-up benchmarks compare Tintora with: a menu bar of
// Tintora's six menus and a table of the formula grid's size, at Tintora's
// first size, and nothing else.
#include <QMainWindow>
#include <QMenuBar>
#include <QTableWidget>

inline void makeBareMainWindow(QMainWindow& window)
{
    for (const char* title : {"&File", "&Edit", "&Table", "&Recalc", "&Options", "&Help"})
        window.menuBar()->addMenu(QString::fromLatin1(title))->addAction(QStringLiteral("Entry"));
    window.setCentralWidget(new QTableWidget(37, 6, &window));
    window.resize(538, 486);
}
