#include "ui/app/HelpWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

HelpWindow::HelpWindow(QString helpFile, QWidget* parent)
    : QDialog(parent)
    , helpFile_(std::move(helpFile))
    , browser_(new QTextBrowser(this))
{
    setWindowTitle(QStringLiteral("Tintora Help"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
    setProperty("HelpContext", QStringLiteral("contents"));
    browser_->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(760, 560);
}

bool HelpWindow::loadOnce()
{
    if (loaded_)
        return true;
    const QFileInfo info(helpFile_);
    if (!info.isFile() || !info.isReadable())
        return false;
    browser_->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    loaded_ = true;
    return true;
}

bool HelpWindow::showTopic(const QString& anchor)
{
    if (!loadOnce())
        return false;
    browser_->scrollToAnchor(anchor);
    topic_ = anchor;
    // Asked from a modal dialog, the window is modal too, and belongs to that
    // dialog: otherwise the dialog would keep it from being scrolled or closed,
    // or (the About window stays on top) cover it.
    if (QWidget* modal = QApplication::activeModalWidget(); modal != this) {
        const Qt::WindowModality modality = modal ? Qt::ApplicationModal : Qt::NonModal;
        if (modality != windowModality()) {
            hide();
            setWindowModality(modality);
        }
        const QWidget* owner = modal ? modal->window() : (parentWidget() ? parentWidget()->window() : nullptr);
        if (owner && !isVisible()) {
            winId();
            windowHandle()->setTransientParent(owner->windowHandle());
        }
    }
    show();
    raise();
    activateWindow();
    return true;
}

ContextHelp::ContextHelp(OpenTopic open, QObject* parent)
    : QObject(parent)
    , open_(std::move(open))
{
    QCoreApplication::instance()->installEventFilter(this);
}

QString ContextHelp::topicOf(const QObject* object)
{
    for (; object; object = object->parent()) {
        const QVariant help = object->property("HelpContext");
        if (help.isValid() && !help.toString().isEmpty() && help.toString() != QStringLiteral("0"))
            return help.toString();
    }
    return QStringLiteral("contents");
}

bool ContextHelp::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    open_(topicOf(watched));
    return true;
}
