#pragma once
// The panel above the grid: the formula's name and the sixteen read-only
// property boxes, with the by-weight and by-volume groups in one place.
#include "core/sheet/FormulaSheet.h"

#include <QWidget>

#include <array>

class QLineEdit;
class TFnpNumericEdit;

class PropertiesPanel : public QWidget {
    Q_OBJECT
public:
    explicit PropertiesPanel(QWidget* parent = nullptr);

    QLineEdit* NameBox() const { return nameBox_; }
    TFnpNumericEdit* box(tintora::PropertyBox b) const { return boxes_[static_cast<int>(b)]; }
    QWidget* WtPanel() const { return wtPanel_; }
    QWidget* VolPanel() const { return volPanel_; }

    // Shows the sheet's name and its sixteen values, and the panel of its
    // percent basis; the name box's change signal is not raised.
    void showSheet(const tintora::FormulaSheet& sheet);

    static constexpr int PanelHeight = 117;

private:
    TFnpNumericEdit* addBox(QWidget* parent, tintora::PropertyBox b, const char* label, QPoint at, int labelWidth);
    enum class Basis { Weight, Volume };
    QWidget* addBasisPanel(const char* name, Basis basis, const std::array<tintora::PropertyBox, 5>& boxes);

    QLineEdit* nameBox_;
    std::array<TFnpNumericEdit*, tintora::PropertyBoxCount> boxes_{};
    QWidget* wtPanel_;
    QWidget* volPanel_;
};
