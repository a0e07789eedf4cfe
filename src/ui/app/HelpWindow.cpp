#include "app/HelpWindow.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QString helpFile, QWidget* parent)
    : QDialog(parent)
    , helpFile_(std::move(helpFile))
    , browser_(new QTextBrowser(this))
{
    setWindowTitle(QStringLiteral("Tintora Help"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
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
    show();
    raise();
    activateWindow();
    return true;
}
