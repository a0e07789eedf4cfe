#include "ui/app/TfrmAbout.h"

#include "core/Version.h"
#include "core/sheet/ScreenPlacement.h"
#include "ui/app/Artwork.h"
#include "ui/widgets/TExplorerButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

QPoint aboutBoxPosition(QPoint mainTopLeft, QSize boxSize, QRect screen)
{
    const tintora::ScreenPoint at = tintora::keepOnScreen({mainTopLeft.x() + 80, mainTopLeft.y() + 90}, boxSize.width(),
        boxSize.height(), {0, 0, screen.width(), screen.height()});
    return {at.x, at.y};
}

int nextSplashFrame(int frame)
{
    return frame % 3 + 1;
}

namespace {

QLabel* textLabel(QWidget* parent, const QString& text, QRect where, bool bold = false)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(where);
    if (bold) {
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
    }
    return label;
}

QLabel* linkLabel(QWidget* parent, const QString& href, const QString& text, QRect where)
{
    auto* label = textLabel(parent, QStringLiteral("<a href=\"%1\">%2</a>").arg(href, text), where);
    label->setTextFormat(Qt::RichText);
    label->setOpenExternalLinks(true);
    return label;
}

}  // namespace

TfrmAbout::TfrmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , aboutBar_(new QProgressBar(this))
    , okButton_(new TExplorerButton(this))
    , timer_(new QTimer(this))
{
    setWindowTitle(QStringLiteral("About"));
    setProperty("HelpContext", 50);
    setFixedSize(344, 169);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xc0, 0xc0, 0xc0));
    setPalette(pal);

    auto* logo = new QLabel(this);
    logo->setPixmap(Artwork::logo(QSize(180, 44)));
    logo->setGeometry(12, 10, 180, 44);
    for (int i = 0; i < 3; ++i) {
        images_[i] = new QLabel(this);
        images_[i]->setGeometry(264, 10, 64, 64);
        images_[i]->setVisible(i == 0);
    }
    // The splash shows only the first picture; the others are drawn when the
    // animation first reaches them.
    drawSplashPicture(1);
    textLabel(this, QStringLiteral("For Windows 95/98/NT"), QRect(12, 60, 200, 16));
    textLabel(
        this, QStringLiteral("Version %1").arg(QLatin1String(tintora::ProductVersion)), QRect(12, 78, 200, 16), true);
    textLabel(this, QStringLiteral("Web Site:"), QRect(12, 98, 60, 16), true);
    linkLabel(this, QStringLiteral("https://www.vantrel.example/"), QStringLiteral("www.vantrel.example"),
        QRect(76, 98, 200, 16));
    textLabel(this, QStringLiteral("E-mail: "), QRect(12, 116, 60, 16), true);
    linkLabel(this, QStringLiteral("mailto:lab@vantrel.example"), QStringLiteral("lab@vantrel.example"),
        QRect(76, 116, 200, 16));

    aboutBar_->setRange(0, 100);
    aboutBar_->setTextVisible(false);
    aboutBar_->setGeometry(12, 142, 320, 16);
    createOkButton();

    timer_->setInterval(200);
    connect(timer_, &QTimer::timeout, this, &TfrmAbout::Timer1Timer);
}

void TfrmAbout::createOkButton()
{
    // A flat button: glyph left of the caption, which is black at rest and
    // white and bold under the pointer.
    okButton_->setObjectName(QStringLiteral("OkButton1"));
    okButton_->setCaption(QStringLiteral("Ok"));
    okButton_->setBitmap(Artwork::okGlyph(devicePixelRatioF()));
    okButton_->setLayout(TButtonLayout::GlyphLeft);
    okButton_->setUnselectedFontColor(Qt::black);
    QFont bold = okButton_->font();
    bold.setBold(true);
    okButton_->setFont(bold);
    QPalette pal = okButton_->palette();
    pal.setColor(QPalette::ButtonText, Qt::white);
    okButton_->setPalette(pal);
    okButton_->setGeometry(257, 136, 75, 25);
    okButton_->hide();
    connect(okButton_, &TExplorerButton::OnClick, this, &TfrmAbout::OkButton1Click);
}

void TfrmAbout::OkButton1Click()
{
    accept();
}

void TfrmAbout::keyPressEvent(QKeyEvent* event)
{
    // The flat button takes no focus; Enter still does what it does.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && okButton_->isVisible()) {
        OkButton1Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmAbout::showEvent(QShowEvent* event)
{
    splashFrame_ = 0;
    timer_->start();
    QDialog::showEvent(event);
}

void TfrmAbout::drawSplashPicture(int frame)
{
    QLabel* picture = images_[frame - 1];
    if (picture->pixmap().isNull())
        picture->setPixmap(Artwork::splashPicture(frame, QSize(64, 64)));
}

void TfrmAbout::Timer1Timer()
{
    splashFrame_ = nextSplashFrame(splashFrame_);
    drawSplashPicture(splashFrame_);
    for (int i = 0; i < 3; ++i)
        images_[i]->setVisible(i + 1 == splashFrame_);
}

void TfrmAbout::showAsSplash()
{
    aboutBar_->show();
    okButton_->hide();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    repaint();
}

void TfrmAbout::setProgress(int percent)
{
    aboutBar_->setValue(percent);
    aboutBar_->repaint();
}

int TfrmAbout::showAbout(QPoint mainTopLeft)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    move(aboutBoxPosition(mainTopLeft, frameGeometry().size(), screenRect));
    aboutBar_->hide();
    okButton_->show();
    return exec();
}
