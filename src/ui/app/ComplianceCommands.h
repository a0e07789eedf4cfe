#pragma once
// Table > Compliance...: the compliance window, made on first use and kept,
// opened on the table of VOC limits beside the formulas and following the
// sheet while it is open. A category or type chosen there becomes the
// formula's own, as the step "Compliance".
#include "core/sheet/FormulaSheet.h"

#include <QObject>
#include <QString>

#include <functional>

class FormulaDocument;
class GridEditor;
class QWidget;
class TfrmCompliance;

class ComplianceCommands : public QObject {
    Q_OBJECT
public:
    struct Parts {
        QWidget& window;  // the compliance window's parent and this object's owner
        tintora::FormulaSheet& sheet;
        const FormulaDocument& document;
        GridEditor& gridEditor;
        std::function<void(const QString& anchor)> openHelp;
    };
    explicit ComplianceCommands(Parts parts);

    // The limits file is read at each opening: it is small, and the user may
    // have edited it or chosen another Formulas folder since.
    void Compliance1Click();
    // The main window shows the sheet anew: the open window follows it.
    void sheetShown();

signals:
    // The formula's compliance choice changed, as the named step.
    void sheetChanged(const QString& step);

private:
    void take(const tintora::ComplianceChoice& choice);

    Parts parts_;
    TfrmCompliance* frmCompliance_ = nullptr;  // a child of the window, made on first use
};
