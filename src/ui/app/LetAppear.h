#pragma once
// Waits, for at most a moment, until the window system has put the window on
// the screen, then draws it at once: what comes next (at start-up, the tip of
// the day) comes only when the window has appeared, and does not compete with
// it for the screen. Events are handled meanwhile, but the user's input waits.
// Header-only, so that the start-up benchmark's windows wait alike and link
// nothing of the program.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <chrono>

inline void letAppear(QWidget& window)
{
    using namespace std::chrono_literals;
    const QDeadlineTimer deadline(500ms);
    QTimer wakeUp;  // so that each wait for more events ends in time
    wakeUp.start(5ms);
    while (!window.windowHandle()->isExposed() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    window.repaint();
}
