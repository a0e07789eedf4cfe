#include "ui/app/PropertiesPanel.h"

#include "ui/widgets/TFnpNumericEdit.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

using tintora::PropertyBox;

namespace {

constexpr int BoxWidth = 88;
constexpr int BoxHeight = 20;

QLabel* boldLabel(QWidget* parent, const char* text, QRect where)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    label->setGeometry(where);
    label->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    return label;
}

void bevelLine(QWidget* parent, QRect where, QFrame::Shape shape)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(where);
}

}  // namespace

PropertiesPanel::PropertiesPanel(QWidget* parent)
    : QWidget(parent)
    , nameBox_(new QLineEdit(this))
{
    setObjectName(QStringLiteral("PropertiesPanel"));
    setFixedHeight(PanelHeight);
    setProperty("HelpContext", 90);

    // Each box is named by its label for assistive technology (the label's buddy).
    boldLabel(this, "Name", QRect(8, 8, 60, BoxHeight))->setBuddy(nameBox_);
    nameBox_->setObjectName(QStringLiteral("NameBox"));
    nameBox_->setGeometry(62, 7, 275, 22);
    bevelLine(this, QRect(6, 33, 334, 4), QFrame::HLine);

    addBox(this, PropertyBox::WeightBox, "Weight", QPoint(8, 41), 54);
    addBox(this, PropertyBox::VolumeBox, "Volume", QPoint(176, 41), 73);
    bevelLine(this, QRect(6, 65, 334, 4), QFrame::HLine);
    addBox(this, PropertyBox::DensityBox, "Density", QPoint(8, 69), 54);
    addBox(this, PropertyBox::PBBox, "P/B Ratio", QPoint(176, 69), 73);
    addBox(this, PropertyBox::SPGBox, "SPG", QPoint(8, 92), 54);
    addBox(this, PropertyBox::VocBox, "Voc", QPoint(176, 92), 73);
    bevelLine(this, QRect(344, 4, 4, 109), QFrame::VLine);

    wtPanel_ = addBasisPanel("WtPanel", Basis::Weight,
        {PropertyBox::BinderWtBox, PropertyBox::CostWtBox, PropertyBox::PigmentWtBox, PropertyBox::SolidsWtBox,
            PropertyBox::VolatileWtBox});
    volPanel_ = addBasisPanel("VolPanel", Basis::Volume,
        {PropertyBox::BinderVolBox, PropertyBox::CostVolBox, PropertyBox::PigmentVolBox, PropertyBox::SolidsVolBox,
            PropertyBox::VolatileVolBox});
    volPanel_->hide();
}

TFnpNumericEdit* PropertiesPanel::addBox(QWidget* parent, PropertyBox b, const char* label, QPoint at, int labelWidth)
{
    QLabel* caption = boldLabel(parent, label, QRect(at.x(), at.y(), labelWidth, BoxHeight));
    auto* box = new TFnpNumericEdit(parent);
    caption->setBuddy(box);
    box->setObjectName(QString::fromLatin1(tintora::propertyBoxName(b)));
    box->setDecimals(3);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);  // not reached with Tab
    box->setCursor(Qt::ArrowCursor);
    box->setAlignment(Qt::AlignRight);
    box->setProperty("HelpContext", 90);
    box->setGeometry(at.x() + labelWidth, at.y(), BoxWidth, BoxHeight);
    box->setValue(0);
    boxes_[static_cast<int>(b)] = box;
    return box;
}

QWidget* PropertiesPanel::addBasisPanel(const char* name, Basis basis, const std::array<PropertyBox, 5>& boxes)
{
    static constexpr const char* labels[] = {"Binder", "Cost", "Pigment", "Solids", "Volatile"};
    auto* panel = new QWidget(this);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setGeometry(352, 3, 180, 112);
    const bool byWeight = basis == Basis::Weight;
    for (int i = 0; i < 5; ++i) {
        TFnpNumericEdit* box = addBox(panel, boxes[i], labels[i], QPoint(4, 2 + i * 22), 62);
        // The two panels share their labels; a screen reader tells them apart.
        const bool cost = boxes[i] == PropertyBox::CostWtBox || boxes[i] == PropertyBox::CostVolBox;
        const char* basisWords
            = cost ? (byWeight ? " per pound" : " per gallon") : (byWeight ? " by weight" : " by volume");
        box->setAccessibleName(QLatin1String(labels[i]) + QLatin1String(basisWords));
    }
    return panel;
}

void PropertiesPanel::showSheet(const tintora::FormulaSheet& sheet)
{
    if (nameBox_->text() != QString::fromStdString(sheet.name())) {
        const QSignalBlocker quiet(nameBox_);
        nameBox_->setText(QString::fromStdString(sheet.name()));
    }
    for (int b = 0; b < tintora::PropertyBoxCount; ++b)
        boxes_[b]->setValue(sheet.box(static_cast<PropertyBox>(b)));
    const bool byVolume = sheet.percentBasis == tintora::PercentBasis::Volume;
    wtPanel_->setVisible(!byVolume);
    volPanel_->setVisible(byVolume);
}
