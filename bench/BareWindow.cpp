// The yardstick of the start-up benchmark: a bare Qt main window with a menu
// bar and a table of the formula grid's size, and nothing else. Like Tintora,
// it ends as soon as its window is first painted when TINTORA_QUIT_WHEN_SHOWN
// is set.
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QTableWidget>

namespace {

class QuitOnFirstPaint : public QObject {
public:
    explicit QuitOnFirstPaint(QWidget* window)
        : QObject(window)
        , window_(window)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->window() == window_) {
            QCoreApplication::instance()->removeEventFilter(this);
            QCoreApplication::exit(0);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* window_;
};

}  // namespace

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
