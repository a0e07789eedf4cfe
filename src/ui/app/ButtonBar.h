#pragma once
// The button bar: flat icon buttons with their hints, in groups separated by
// thin bevels, under a 2-pixel sunken line along the top edge. Each button is
// a member named as the program names it (NewButton ...), and carries that
// object name too. A button stands for a command of the window: it shows that
// command's action (icon, hint, enabled and checked states) and triggers it.
#include <QWidget>

class TExplorerButton;
struct MainMenus;

struct ButtonBarButtons {
    TExplorerButton *NewButton = nullptr, *OpenButton = nullptr, *SaveButton = nullptr, *PrintButton = nullptr;
    TExplorerButton *CopyOutButton = nullptr, *btnProperties = nullptr;
    TExplorerButton *InsertButton = nullptr, *DeleteButton = nullptr, *MarkButton = nullptr, *UnMarkButton = nullptr;
    TExplorerButton *WeightButton = nullptr, *VolumeButton = nullptr, *ExplorerButton2 = nullptr;
    TExplorerButton *BinderButton = nullptr, *CostButton = nullptr, *PigmentButton = nullptr;
    TExplorerButton *Solidsbutton = nullptr, *VolatileButton = nullptr;
    TExplorerButton *WtVolButton = nullptr, *MaterialsButton = nullptr;
};

class ButtonBar : public QWidget {
    Q_OBJECT
public:
    ButtonBar(const MainMenus& commands, QWidget* parent = nullptr);
    const ButtonBarButtons& buttons() const { return buttons_; }

    static constexpr int BarHeight = 26;
    static constexpr int TopLineHeight = 2;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ButtonBarButtons buttons_;
};
