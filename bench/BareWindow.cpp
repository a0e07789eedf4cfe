// The yardstick of the start-up benchmark: a bare Qt main window with a menu
// bar and a table of the formula grid's size, and nothing else. Like Tintora,
// it ends as soon as its window is first painted when TINTORA_QUIT_WHEN_SHOWN
// is set.
#include "ui/app/QuitOnFirstPaint.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTableWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    for (const char* title : {"&File", "&Edit", "&Table", "&Recalc", "&Options", "&Help"})
        window.menuBar()->addMenu(QString::fromLatin1(title))->addAction(QStringLiteral("Entry"));
    auto* table = new QTableWidget(37, 6, &window);
    window.setCentralWidget(table);
    window.resize(538, 486);
    if (qEnvironmentVariableIsSet("TINTORA_QUIT_WHEN_SHOWN"))
        new QuitOnFirstPaint(&window);
    window.show();
    return app.exec();
}
