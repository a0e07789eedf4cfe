// The yardstick of the start-up benchmark: a bare Qt main window with a menu
// bar and a table of the formula grid's size, and nothing else. Like Tintora,
// it ends as soon as its window is first painted when TINTORA_QUIT_WHEN_SHOWN
// is set.
#include "BareMainWindow.h"
#include "ui/app/QuitOnFirstPaint.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    makeBareMainWindow(window);
    if (qEnvironmentVariableIsSet("TINTORA_QUIT_WHEN_SHOWN"))
        new QuitOnFirstPaint(&window);
    window.show();
    return app.exec();
}
