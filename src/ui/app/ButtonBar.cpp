#include "ui/app/ButtonBar.h"

#include "ui/app/Artwork.h"
#include "ui/widgets/TExplorerButton.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPainter>

namespace {

struct ButtonDefinition {
    TExplorerButton* ButtonBarButtons::*slot;
    const char* name;
    const char* hint;
    bool enabled;
    int icon;  // menu image number, or 0 for the Edit Materials picture
    bool groupEnd = false;
};

// In order from the left; a group ends with a bevel.
constexpr ButtonDefinition Buttons[] = {
    {&ButtonBarButtons::NewButton, "NewButton", "New", true, 1},
    {&ButtonBarButtons::OpenButton, "OpenButton", "Open", true, 2},
    {&ButtonBarButtons::SaveButton, "SaveButton", "Save", true, 3},
    {&ButtonBarButtons::PrintButton, "PrintButton", "Print", true, 27, true},
    {&ButtonBarButtons::CopyOutButton, "CopyOutButton", "Excel Out", false, 9},
    {&ButtonBarButtons::btnProperties, "btnProperties", "Formula Properties", true, 4, true},
    {&ButtonBarButtons::InsertButton, "InsertButton", "Insert Row", true, 10},
    {&ButtonBarButtons::DeleteButton, "DeleteButton", "Delete Row", true, 11, true},
    {&ButtonBarButtons::MarkButton, "MarkButton", "Mark All", true, 13},
    {&ButtonBarButtons::UnMarkButton, "UnMarkButton", "Unmark All", true, 14, true},
    {&ButtonBarButtons::WeightButton, "WeightButton", "Weight Recalc", true, 16},
    {&ButtonBarButtons::VolumeButton, "VolumeButton", "Volume Recalc", true, 17},
    {&ButtonBarButtons::ExplorerButton2, "ExplorerButton2", "Percent Recalc", false, 18},
    {&ButtonBarButtons::BinderButton, "BinderButton", "Binder Recalc", false, 19},
    {&ButtonBarButtons::CostButton, "CostButton", "Cost Recalc", true, 20},
    {&ButtonBarButtons::PigmentButton, "PigmentButton", "Pigment Recalc", false, 21},
    {&ButtonBarButtons::Solidsbutton, "Solidsbutton", "Solids Recalc", false, 22},
    {&ButtonBarButtons::VolatileButton, "VolatileButton", "Volatile Recalc", false, 23, true},
    {&ButtonBarButtons::WtVolButton, "WtVolButton", "Flip Percents", true, 15, true},
    {&ButtonBarButtons::MaterialsButton, "MaterialsButton", "Edit Materials", true, 0},
};

QFrame* bevel(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFixedSize(4, 22);
    return line;
}

}  // namespace

ButtonBar::ButtonBar(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ButtonBarPanel"));
    setFixedHeight(BarHeight);
    setProperty("HelpContext", 80);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, TopLineHeight, 2, 2);
    layout->setSpacing(0);
    for (const ButtonDefinition& entry : Buttons) {
        auto* b = buttons_.*entry.slot = new TExplorerButton(this);
        b->setObjectName(QString::fromLatin1(entry.name));
        b->setFixedSize(std::string_view(entry.name) == "MaterialsButton" ? 38 : 24, 22);
        b->setBitmap(Artwork::buttonGlyph(entry.icon, devicePixelRatioF()));
        b->setOptions(TButtonOption::boMonoDisplay | TButtonOption::boIconOnly | TButtonOption::boShowBevel);
        b->setHint(QString::fromLatin1(entry.hint));
        b->setShowHint(true);
        b->setEnabled(entry.enabled);
        layout->addWidget(b);
        if (entry.groupEnd)
            layout->addWidget(bevel(this));
    }
    // The percent toggle stays down while the percents are by volume.
    TExplorerButton* toggle = buttons_.WtVolButton;
    toggle->setGroupIndex(2);
    toggle->setAllowAllUp(true);
    layout->addStretch(1);
}

void ButtonBar::paintEvent(QPaintEvent*)
{
    // The sunken line along the top edge: shadow above, highlight below.
    QPainter p(this);
    p.fillRect(0, 0, width(), 1, palette().color(QPalette::Dark));
    p.fillRect(0, 1, width(), 1, palette().color(QPalette::Light));
}
