#pragma once
// The button bar: flat icon buttons with their hints, in groups separated by
// thin bevels, under a 2-pixel sunken line along the top edge. Buttons are
// named as the program names them (NewButton ...).
#include <QWidget>

class TExplorerButton;

class ButtonBar : public QWidget {
    Q_OBJECT
public:
    explicit ButtonBar(QWidget* parent = nullptr);
    TExplorerButton* button(const char* name) const;

    static constexpr int BarHeight = 26;
    static constexpr int TopLineHeight = 2;

protected:
    void paintEvent(QPaintEvent* event) override;
};
