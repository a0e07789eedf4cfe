#pragma once
// The button bar: flat icon buttons with their hints, in groups separated by
// thin bevels. Buttons are named as the program names them (NewButton ...).
#include <QWidget>

class TExplorerButton;

class ButtonBar : public QWidget {
    Q_OBJECT
public:
    explicit ButtonBar(QWidget* parent = nullptr);
    TExplorerButton* button(const char* name) const;

    static constexpr int BarHeight = 26;
};
