#include "ui/calc/CalcPanel.h"

#include <QPushButton>

#include <array>

namespace {

struct PanelKey {
    const char* name;
    char tag;
};

// Four rows of four keys at tops 2, 22, 42 and 62.
constexpr std::array<PanelKey, 16> PanelKeys = {{
    {"Button1", '1'},
    {"Button2", '2'},
    {"Button3", '3'},
    {"btnDivide", '/'},
    {"Button4", '4'},
    {"Button5", '5'},
    {"Button6", '6'},
    {"btnMultiply", '*'},
    {"Button7", '7'},
    {"Button8", '8'},
    {"Button9", '9'},
    {"btnMinus", '-'},
    {"btnPeriod", '.'},
    {"Button0", '0'},
    {"btnEqual", '='},
    {"btnPlus", '+'},
}};
constexpr std::array<int, 4> KeyLefts = {2, 29, 56, 83};
constexpr std::array<int, 4> KeyTops = {2, 22, 42, 62};
constexpr int KeyWidth = 28;
constexpr int KeyHeight = 21;
constexpr int BottomRowTop = 87;

}  // namespace

CalcPanel::CalcPanel(
    tintora::FormulaSheet& sheet, tintora::CalculatorState& calculator, tintora::Prompter& prompter, QWidget* parent)
    : QFrame(parent)
    , sheet_(sheet)
    , calculator_(calculator)
    , prompter_(prompter)
{
    setObjectName(QStringLiteral("CalcPanel"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    setFixedSize(PanelWidth, PanelHeight);
    setFocusPolicy(Qt::StrongFocus);

    for (std::size_t i = 0; i < PanelKeys.size(); ++i) {
        const char tag = PanelKeys[i].tag;
        QPushButton* key = addButton(
            PanelKeys[i].name, QString(QLatin1Char(tag)), tag, {KeyLefts[i % 4], KeyTops[i / 4], KeyWidth, KeyHeight});
        connect(key, &QPushButton::clicked, this, [this, tag] { Button1Click(tag, false); });
    }

    auto* divider = new QFrame(this);
    divider->setObjectName(QStringLiteral("Bevel1"));
    divider->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    divider->setGeometry(2, 83, 109, 4);

    QPushButton* clear
        = addButton("btnClear", QStringLiteral("C"), tintora::CalcKey::Clear, {2, BottomRowTop, KeyWidth, KeyHeight});
    connect(clear, &QPushButton::clicked, this, [this] { Button1Click(tintora::CalcKey::Clear, false); });
    // Accept sends "=" like btnEqual, then closes the panel.
    QPushButton* accept
        = addButton("btnAccept", QStringLiteral("Accept"), tintora::CalcKey::Equals, {29, BottomRowTop, 82, KeyHeight});
    connect(accept, &QPushButton::clicked, this, [this] { Button1Click(tintora::CalcKey::Equals, true); });
    hide();
}

QPushButton* CalcPanel::addButton(const char* name, const QString& caption, char tag, QRect geometry)
{
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setProperty("Tag", static_cast<int>(tag));
    b->setAutoDefault(false);
    b->setGeometry(geometry);
    return b;
}

QPushButton* CalcPanel::button(const char* name) const
{
    return findChild<QPushButton*>(QString::fromLatin1(name));
}

QPoint CalcPanel::positionAt(const QRect& cell, QPoint gridTopLeft, int gridHeight)
{
    // The cell's bottom edge as the grid reports it is the last pixel row; the
    // panel starts two pixels below the row's end.
    const int cellBottom = cell.top() + cell.height();
    const int top = PanelHeight + cellBottom < gridHeight ? gridTopLeft.y() + cellBottom + 2
                                                          : gridTopLeft.y() + cell.top() - PanelHeight;
    return {gridTopLeft.x() + cell.left() + 2, top};
}

void CalcPanel::openFor(int col, int row, const std::string& savedCellText)
{
    cell_ = {col == tintora::FormulaSheet::index(tintora::Column::Volume) ? tintora::Column::Volume
                                                                          : tintora::Column::Weight,
        row};
    savedCellText_ = savedCellText;
    tintora::SeedPanelCalculator(calculator_, sheet_, cell_);
    show();
    raise();
    setFocus();
}

void CalcPanel::Button1Click(char tag, bool isAccept)
{
    if (isAccept) {
        // Refused while the cell shows an error: the panel stays for "C".
        if (!tintora::PanelAccept(sheet_, calculator_, prompter_, cell_, savedCellText_))
            return;
        hide();
        emit accepted();
        return;
    }
    tintora::PanelKey(sheet_, calculator_, prompter_, cell_, tag, savedCellText_);
    emit cellsChanged();
}
