#pragma once
// Ends every event loop, a modal dialog's included, once a widget of the given
// window is first painted: the main window has then appeared. Used by the
// start-up measurement (TINTORA_QUIT_WHEN_SHOWN), for the program and for the
// bare window it is compared with alike. Header-only, so the bare window
// links nothing of the program.
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

class QuitOnFirstPaint : public QObject {
public:
    // painted, when given, is set once the window has been painted.
    explicit QuitOnFirstPaint(QWidget* window, bool* painted = nullptr)
        : QObject(window)
        , window_(window)
        , painted_(painted)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->window() == window_) {
            QCoreApplication::instance()->removeEventFilter(this);
            if (painted_)
                *painted_ = true;
            QCoreApplication::exit(0);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* window_;
    bool* painted_;
};
