// The floor of Tintora's start-up under a window manager: its three windows in
// its order and nothing in them. A splash dialog is shown and painted, then
// the benchmarks' bare main window, and once that has appeared, a modal tip
// dialog. The main window is titled like Tintora's, so that
// ../shared/tools/startup-under-x measures it in Tintora's place:
//   ../shared/tools/startup-under-x build/bin/tintora_three_windows 15
#include "BareMainWindow.h"
#include "ui/app/LetAppear.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);

    QDialog splash(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    splash.setWindowTitle(QStringLiteral("About"));
    new QLabel(QStringLiteral("Version"), &splash);
    splash.setFixedSize(344, 169);
    splash.show();
    splash.repaint();

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tintora - []"));
    makeBareMainWindow(window);
    window.show();

    letAppear(window);

    QDialog tip(&window);
    tip.setWindowTitle(QStringLiteral("Tip of the Day"));
    new QLabel(QStringLiteral("Did you know..."), &tip);
    tip.setFixedSize(344, 193);
    tip.exec();
    splash.hide();
    return app.exec();
}
