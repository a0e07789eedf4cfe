#include "ui/widgets/TTipWindow.h"

#include "ui/widgets/SvgIcon.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {

// The layout below is in pixels for a font 13 pixels high.
constexpr double DesignLineHeight = 13.0;
constexpr double MaxScale = 4.0;
constexpr double ScaleStep = 1.0 / 16.0;
// Room beside the text: check-box indicator and spacing, button margins.
constexpr int CheckIndicatorRoom = 24;
constexpr int ButtonTextMargins = 12;

QString withoutAccessMarks(QString caption)
{
    caption.replace(QLatin1String("&&"), QString(QChar(0x1)));
    caption.remove(QLatin1Char('&'));
    caption.replace(QChar(0x1), QLatin1Char('&'));
    return caption;
}

int scaled(int pixels, double scale)
{
    return int(std::lround(pixels * scale));
}

QRect scaledRect(int x, int y, int w, int h, double scale)
{
    return {scaled(x, scale), scaled(y, scale), scaled(w, scale), scaled(h, scale)};
}

}  // namespace

namespace tipwindow {

double layoutScale(const QFont& font, const QFont& boldFont, const QStringList& tips, const QString& question,
    const QString& checkCaption, const QStringList& buttonCaptions)
{
    const QFontMetrics fm(font);
    const QFontMetrics bold(boldFont);
    const auto fits = [&](double scale) {
        const QRect tipArea(0, 0, scaled(193, scale), 100000);
        for (const QString& tip : tips) {
            if (fm.boundingRect(tipArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, tip).height()
                > scaled(97, scale))
                return false;
        }
        if (bold.horizontalAdvance(question) > scaled(189, scale))
            return false;
        if (fm.horizontalAdvance(withoutAccessMarks(checkCaption)) + CheckIndicatorRoom > scaled(249, scale))
            return false;
        return std::all_of(buttonCaptions.begin(), buttonCaptions.end(), [&](const QString& caption) {
            return fm.horizontalAdvance(withoutAccessMarks(caption)) + ButtonTextMargins <= scaled(75, scale);
        });
    };
    double scale = std::max(1.0, std::max(fm.height(), bold.height()) / DesignLineHeight);
    while (!fits(scale) && scale < MaxScale)
        scale += ScaleStep;
    return scale;
}

QPixmap bulbPicture(int side, qreal devicePixelRatio)
{
    return svgicon::pixmap(QStringLiteral("bulb"), QSize(side, side), devicePixelRatio);
}

}  // namespace tipwindow

TTipWindow::TTipWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_randomIndex([](int count) { return int(QRandomGenerator::global()->bounded(count)); })
    , m_pnlTip(new QFrame(this))
    , m_image(new QLabel(m_pnlTip))
    , m_lblQuestion(new QLabel(m_pnlTip))
    , m_lblTip(new QLabel(m_pnlTip))
    , m_btnNext(new QPushButton(this))
    , m_line(new QFrame(this))
    , m_btnClose(new QPushButton(this))
    , m_chkOnOff(new QCheckBox(this))
{
    QFont small = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    small.setPointSize(8);
    setFont(small);
    QFont bold = small;
    bold.setBold(true);
    m_lblQuestion->setFont(bold);

    m_pnlTip->setObjectName(QStringLiteral("pnlTip"));
    m_image->setObjectName(QStringLiteral("Image1"));
    m_lblQuestion->setObjectName(QStringLiteral("lblQuestion"));
    m_lblTip->setObjectName(QStringLiteral("lblTip"));
    m_btnNext->setObjectName(QStringLiteral("btnNext"));
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_chkOnOff->setObjectName(QStringLiteral("chkOnOff"));

    m_pnlTip->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_pnlTip->setLineWidth(1);
    m_pnlTip->setAutoFillBackground(true);
    m_lblTip->setWordWrap(true);
    m_lblTip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblQuestion->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_line->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    m_btnNext->setAutoDefault(true);
    m_btnClose->setDefault(true);
    connect(m_btnNext, &QPushButton::clicked, this, &TTipWindow::NextClick);
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::accept);
    setTabOrder(m_btnClose, m_btnNext);
    setTabOrder(m_btnNext, m_chkOnOff);

    setPanelColor(Qt::yellow);
    layOut();
}

void TTipWindow::setBorderStyle(TBorderStyle style)
{
    m_borderStyle = style;
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (style == TBorderStyle::None)
        flags = Qt::Dialog | Qt::FramelessWindowHint;
    setWindowFlags(flags);
    layOut();
}

void TTipWindow::setPanelColor(const QColor& color)
{
    QPalette palette = m_pnlTip->palette();
    palette.setColor(QPalette::Window, color);
    // Dark text on a light panel and the reverse, whatever the desktop theme.
    palette.setColor(QPalette::WindowText, color.lightness() >= 128 ? Qt::black : Qt::white);
    m_pnlTip->setPalette(palette);
}

void TTipWindow::setQuestionCaption(const QString& text)
{
    m_lblQuestion->setText(text);
}

void TTipWindow::setNextCaption(const QString& text)
{
    m_btnNext->setText(text);
}

void TTipWindow::setCloseCaption(const QString& text)
{
    m_btnClose->setText(text);
}

void TTipWindow::setOnAtStartCaption(const QString& text)
{
    m_chkOnOff->setText(text);
}

void TTipWindow::setOnAtStart(bool checked)
{
    m_chkOnOff->setChecked(checked);
}

bool TTipWindow::OnAtStart() const
{
    return m_chkOnOff->isChecked();
}

void TTipWindow::setTips(const QStringList& tips)
{
    m_tips = tips;
}

void TTipWindow::setRandomIndex(TRandomIndex randomIndex)
{
    m_randomIndex = std::move(randomIndex);
}

void TTipWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        layOut();
        centreOnScreen();
        // Next is pointless with one tip (and without any).
        m_btnNext->setEnabled(m_tips.size() > 1);
        if (!m_tips.isEmpty())
            showTip(randomIndex());
        // Enter closes the window; a focused Next would take Enter for itself.
        m_btnClose->setFocus();
    }
    QDialog::showEvent(event);
}

void TTipWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape asks for another tip instead of closing the window.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_btnNext->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TTipWindow::NextClick()
{
    if (!m_tips.isEmpty())
        showTip(randomIndex());
}

void TTipWindow::showTip(int index)
{
    m_tipIndex = index;
    m_lblTip->setText(m_tips.at(index));
}

int TTipWindow::randomIndex() const
{
    const int count = int(m_tips.size());
    return std::clamp(m_randomIndex(count), 0, count - 1);
}

double TTipWindow::scale()
{
    // Measuring every tip is the costly part of laying out; the window is laid
    // out several times while it is set up, with the same texts.
    QStringList inputs = m_tips;
    inputs << m_lblQuestion->text() << m_chkOnOff->text() << m_btnNext->text() << m_btnClose->text()
           << font().toString() << m_lblQuestion->font().toString();
    if (inputs != m_scaleInputs) {
        m_scale = tipwindow::layoutScale(font(), m_lblQuestion->font(), m_tips, m_lblQuestion->text(),
            m_chkOnOff->text(), {m_btnNext->text(), m_btnClose->text()});
        m_scaleInputs = inputs;
    }
    return m_scale;
}

void TTipWindow::showBulb(int side)
{
    const QPixmap shown = m_image->pixmap();
    const qreal ratio = devicePixelRatioF();
    if (!shown.isNull() && shown.deviceIndependentSize() == QSizeF(side, side) && shown.devicePixelRatio() == ratio)
        return;
    m_image->setPixmap(tipwindow::bulbPicture(side, ratio));
}

void TTipWindow::layOut()
{
    const double s = scale();
    const int questionHeight = std::max(scaled(13, s), m_lblQuestion->fontMetrics().height());
    const int checkHeight = std::max(scaled(17, s), m_chkOnOff->sizeHint().height());

    m_pnlTip->setGeometry(scaledRect(8, 8, 249, 153, s));
    m_image->setGeometry(scaledRect(8, 16, 32, 32, s));
    showBulb(scaled(32, s));
    m_lblQuestion->setGeometry(scaled(48, s), scaled(16, s), scaled(189, s), questionHeight);
    m_lblTip->setGeometry(scaledRect(48, 36, 193, 97, s));
    m_btnNext->setGeometry(scaledRect(264, 100, 75, 25, s));
    m_line->setGeometry(scaled(264, s), scaled(128, s), scaled(75, s), 2);
    m_btnClose->setGeometry(scaledRect(264, 136, 75, 25, s));
    m_chkOnOff->setGeometry(scaled(8, s), scaled(168, s), scaled(249, s), checkHeight);

    const QSize client(scaled(344, s), std::max(scaled(193, s), m_chkOnOff->geometry().bottom() + 1 + scaled(4, s)));
    if (m_borderStyle == TBorderStyle::Sizeable) {
        setMinimumSize(client);
        resize(client);
    } else {
        setFixedSize(client);
    }
}

void TTipWindow::centreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}
