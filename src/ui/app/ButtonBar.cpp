#include "ui/app/ButtonBar.h"

#include "ui/app/MainMenus.h"
#include "ui/widgets/TExplorerButton.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPainter>

namespace {

struct ButtonDefinition {
    TExplorerButton* ButtonBarButtons::*button;
    const char* name;
    QAction* MainMenus::*command;
    bool groupEnd = false;
    int width = 24;
};

using B = ButtonBarButtons;
using M = MainMenus;

// In order from the left; a group ends with a bevel.
const ButtonDefinition Buttons[] = {
    {.button = &B::NewButton, .name = "NewButton", .command = &M::New1},
    {.button = &B::OpenButton, .name = "OpenButton", .command = &M::Open1},
    {.button = &B::SaveButton, .name = "SaveButton", .command = &M::Save1},
    {.button = &B::PrintButton, .name = "PrintButton", .command = &M::PrintNow, .groupEnd = true},
    {.button = &B::CopyOutButton, .name = "CopyOutButton", .command = &M::CopyOutNow},
    {.button = &B::btnProperties, .name = "btnProperties", .command = &M::Properties1, .groupEnd = true},
    {.button = &B::InsertButton, .name = "InsertButton", .command = &M::RMInsert1},
    {.button = &B::DeleteButton, .name = "DeleteButton", .command = &M::RMDelete1, .groupEnd = true},
    {.button = &B::MarkButton, .name = "MarkButton", .command = &M::MarkAll1},
    {.button = &B::UnMarkButton, .name = "UnMarkButton", .command = &M::UnmarkAll1, .groupEnd = true},
    {.button = &B::WeightButton, .name = "WeightButton", .command = &M::Weight1},
    {.button = &B::VolumeButton, .name = "VolumeButton", .command = &M::Volume1},
    {.button = &B::ExplorerButton2, .name = "ExplorerButton2", .command = &M::Percent1},
    {.button = &B::BinderButton, .name = "BinderButton", .command = &M::BinderRecalc},
    {.button = &B::CostButton, .name = "CostButton", .command = &M::CostRecalc},
    {.button = &B::PigmentButton, .name = "PigmentButton", .command = &M::PigmentRecalc},
    {.button = &B::Solidsbutton, .name = "Solidsbutton", .command = &M::SolidsRecalc},
    {.button = &B::VolatileButton, .name = "VolatileButton", .command = &M::VolatileRecalc, .groupEnd = true},
    {.button = &B::WtVolButton, .name = "WtVolButton", .command = &M::FlipPercents1, .groupEnd = true},
    {.button = &B::MaterialsButton, .name = "MaterialsButton", .command = &M::Materials1, .width = 38},
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

ButtonBar::ButtonBar(const MainMenus& commands, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ButtonBarPanel"));
    setFixedHeight(BarHeight);
    setProperty("HelpContext", 80);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, TopLineHeight, 2, 2);
    layout->setSpacing(0);
    for (const ButtonDefinition& entry : Buttons) {
        auto* b = buttons_.*entry.button = new TExplorerButton(this);
        b->setObjectName(QString::fromLatin1(entry.name));
        b->setFixedSize(entry.width, 22);
        b->setOptions(TButtonOption::boMonoDisplay | TButtonOption::boIconOnly | TButtonOption::boShowBevel);
        b->setShowHint(true);
        b->setDefaultAction(commands.*entry.command);
        layout->addWidget(b);
        if (entry.groupEnd)
            layout->addWidget(bevel(this));
    }
    // The percent toggle stays down while the percents are by volume: its
    // command is checked then.
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
