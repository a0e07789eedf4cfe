#include "ui/calc/TfrmCalc.h"

#include "ui/calc/KeypadGlyphs.h"
#include "ui/widgets/DecimalSign.h"
#include "ui/widgets/LocalPath.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QToolButton>

#include <algorithm>
#include <array>

namespace {

// The keypad's sixteen keys, row by row, as caption and key code.
constexpr std::array<char, 16> KeypadKeys = {
    '1',
    '2',
    '3',
    '/',
    '4',
    '5',
    '6',
    '*',
    '7',
    '8',
    '9',
    '-',
    '.',
    '0',
    '=',
    '+',
};
constexpr int KeyWidth = 28;
constexpr int KeyHeight = 21;
constexpr std::array<int, 4> KeyLefts = {2, 29, 56, 83};
constexpr std::array<int, 4> KeyTops = {21, 41, 61, 81};
constexpr int BottomRowTop = 106;

// Typed characters outside ASCII reach the engine as a key it ignores.
char asKey(QChar c)
{
    return c.unicode() < 128 ? static_cast<char>(c.unicode()) : '\0';
}

}  // namespace

QPoint TfrmCalc::placement(const QRect& mainWindowFrame, QSize dialogFrame, QSize screen)
{
    int top = std::max(mainWindowFrame.top() + 125, 0);
    int left = std::max(mainWindowFrame.left() + 200, 0);
    if (top + dialogFrame.height() > screen.height())
        top = screen.height() - dialogFrame.height();
    if (left + dialogFrame.width() > screen.width())
        left = screen.width() - dialogFrame.width();
    return {left, top};
}

TfrmCalc::TfrmCalc(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmCalc"));
    setWindowTitle(QStringLiteral("Calc"));
    // The help file's keypad section; the dialog has no topic number of its own.
    setProperty("HelpContext", QStringLiteral("keypad"));
    setFixedSize(ClientWidth, ClientHeight);
    // The dialog itself takes the keys; its parts never hold the focus.
    setFocusPolicy(Qt::StrongFocus);

    numberBox_ = new QLineEdit(this);
    numberBox_->setObjectName(QStringLiteral("NumberBox"));
    numberBox_->setReadOnly(true);
    numberBox_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    numberBox_->setFocusPolicy(Qt::NoFocus);
    numberBox_->setGeometry(2, 2, 109, 19);
    numberBox_->installEventFilter(this);
    targetLabel_ = new QLabel(this);
    targetLabel_->setObjectName(QStringLiteral("TargetLabel"));
    targetLabel_->setAlignment(Qt::AlignCenter);
    targetLabel_->setGeometry(2, TargetLabelTop, ClientWidth - 4, TargetLabelHeight);
    createButtons();
    FormCreate();
}

void TfrmCalc::createButtons()
{
    for (std::size_t i = 0; i < KeypadKeys.size(); ++i) {
        const char key = KeypadKeys[i];
        const QByteArray name = "SpeedButton" + QByteArray::number(static_cast<int>(i) + 1);
        QToolButton* b = addButton(
            name.constData(), QString(QLatin1Char(key)), {KeyLefts[i % 4], KeyTops[i / 4], KeyWidth, KeyHeight});
        b->setProperty("Tag", static_cast<int>(key));
        connect(b, &QToolButton::clicked, this, [this, key] { SpeedButton1Click(key); });
    }
    QToolButton* clear = addButton("CSpeedButton", QStringLiteral("C"), {2, BottomRowTop, KeyWidth, KeyHeight});
    clear->setProperty("Tag", static_cast<int>(tintora::CalcKey::Clear));
    connect(clear, &QToolButton::clicked, this, [this] { SpeedButton1Click(tintora::CalcKey::Clear); });

    QToolButton* ok = addButton("OKSpeedButton", {}, {29, BottomRowTop, 42, KeyHeight});
    ok->setIcon(KeypadGlyphs::acceptIcon());
    ok->setToolTip(QStringLiteral("OK"));
    connect(ok, &QToolButton::clicked, this, &TfrmCalc::OKSpeedButtonClick);
    QToolButton* cancel = addButton("CancelSpeedButton", {}, {70, BottomRowTop, 41, KeyHeight});
    cancel->setIcon(KeypadGlyphs::cancelIcon());
    cancel->setToolTip(QStringLiteral("Cancel"));
    connect(cancel, &QToolButton::clicked, this, &TfrmCalc::CancelSpeedButtonClick);
}

QToolButton* TfrmCalc::addButton(const char* name, const QString& caption, QRect geometry)
{
    auto* b = new QToolButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(caption);
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(geometry);
    b->installEventFilter(this);
    return b;
}

QToolButton* TfrmCalc::button(const char* name) const
{
    return findChild<QToolButton*>(QString::fromLatin1(name));
}

void TfrmCalc::FormCreate()
{
    state_->CalcAccumulator = 0;
    state_->CalcValue = 0;
    state_->CalcOperator = 0;
}

std::optional<std::string> TfrmCalc::ask(
    std::string_view caption, std::string_view display, tintora::CalculatorState& state)
{
    setWindowTitle(fromUtf8(caption));
    targetLabel_->setText(fromUtf8(caption));
    numberBox_->setText(fromUtf8(display));
    state_ = &state;
    const int result = exec();
    state_ = &ownState_;
    if (result == QDialog::Rejected)
        return std::nullopt;
    return numberBox_->text().toStdString();
}

void TfrmCalc::setVisible(bool visible)
{
    // Placed before it appears: placed while it is being shown, the first time
    // its frame is not yet known and it would open higher than later.
    if (visible && !isVisible())
        FormShow();
    QDialog::setVisible(visible);
}

void TfrmCalc::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    setFocus();
}

void TfrmCalc::FormShow()
{
    const QWidget* mainWindow = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect mainFrame = mainWindow ? mainWindow->frameGeometry() : QRect();
    const QSize screenSize = screen() ? screen()->geometry().size() : QSize();
    // Before its first show the dialog's frame is unknown; the main window's,
    // from the same window manager, stands in for it.
    QSize frame = frameGeometry().size();
    if (frame == size() && mainWindow)
        frame += mainFrame.size() - mainWindow->size();
    move(placement(mainFrame, frame, screenSize));
    setFixedSize(ClientWidth, ClientHeight);
}

void TfrmCalc::SpeedButton1Click(char tag)
{
    numberBox_->setText(
        QString::fromStdString(tintora::PanelCalculate(*state_, tag, numberBox_->text().toStdString())));
}

void TfrmCalc::FormKeyPress(char key)
{
    if (key == '\r') {
        OKSpeedButtonClick();
        return;
    }
    SpeedButton1Click(key);
}

void TfrmCalc::OKSpeedButtonClick()
{
    SpeedButton1Click(tintora::CalcKey::Equals);
    done(QDialog::Accepted);
}

void TfrmCalc::CancelSpeedButtonClick()
{
    numberBox_->clear();
    done(QDialog::Rejected);
}

bool TfrmCalc::typedKey(const QKeyEvent& event)
{
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
        FormKeyPress('\r');
        return true;
    }
    // Keys without a character (Shift, arrows) are no key presses.
    if (event.text().isEmpty())
        return false;
    FormKeyPress(asKey(typedInNumber(event.text().front())));
    return true;
}

void TfrmCalc::keyPressEvent(QKeyEvent* event)
{
    // Escape, too, is a key for the engine here, not a way to close the dialog.
    if (!typedKey(*event))
        event->ignore();
}

bool TfrmCalc::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && typedKey(*static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}
