#pragma once
// The printout's two commands of the main window: File > Print > Lab Print,
// through the print dialog, and the Print button, at once on the printer last
// confirmed in the dialog or else on the system's. When the last dialog
// printed into a file, the button shows the dialog again rather than replace
// that file. The status line says where each printout went.
#include "core/prompt/Prompter.h"
#include "core/sheet/FormulaSheet.h"
#include "ui/print/PrinterChoice.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

// "The printout went to the file <path>." or "... to the printer <name>."
QString printoutDestination(const QPrinter& printer);

class LabPrintCommands : public QObject {
    Q_OBJECT
public:
    // formulaPath: the open formula's file, named on the printout.
    LabPrintCommands(const tintora::FormulaSheet& sheet, std::function<QString()> formulaPath,
        tintora::Prompter& prompter, PrinterChoice printing, QWidget& window);
    ~LabPrintCommands() override;

    void LabPrint1Click();
    void PrintButtonClick();

private:
    void printOn(QPrinter& printer);

    const tintora::FormulaSheet& sheet_;
    std::function<QString()> formulaPath_;
    tintora::Prompter& prompter_;
    PrinterChoice printing_;
    QWidget& window_;
    // The printer chosen in the last confirmed print dialog of this run; null
    // until then, when the Print button takes the system's printer.
    std::unique_ptr<QPrinter> chosenPrinter_;
};
