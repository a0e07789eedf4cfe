#pragma once
// The formula on its way from the laboratory to the plant and to purchasing:
// File > Print > Batch Print (the batch ticket) and Materials Print (the
// material library), through the same print dialog as Lab Print; Edit > Copy
// Out and the Excel Out button (the formula on the clipboard as a table) and
// Edit > Excel Out (the formula as a workbook file).
#include "core/prompt/Prompter.h"
#include "core/sheet/FormulaSheet.h"
#include "ui/app/FormulaDocument.h"
#include "ui/print/LabPrinter.h"
#include "ui/print/PrinterChoice.h"

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

class PlantCommands : public QObject {
    Q_OBJECT
public:
    struct Parts {
        const tintora::FormulaSheet& sheet;
        std::function<QString()> formulaPath;  // the open formula's file
        std::function<QString()> formulaFolder;  // where Excel Out's dialog opens
        std::function<QString()> materialFolder;  // the library Materials Print prints
        tintora::Prompter& prompter;
        PrinterChoice printing;
        FileChooser chooseWorkbookFile;  // Excel Out's save dialog
        QWidget& window;  // the dialogs' parent, whose status line tells the outcome
    };
    explicit PlantCommands(Parts parts);

    void BatchPrint1Click();
    void MaterialsPrint1Click();
    void CopyOut1Click();
    void ExcelClick();

private:
    // The print dialog, then the printout's pages on the printer chosen.
    void printThroughDialog(const PageLayout& layout, const QString& title);
    void showStatus(const QString& message);
    // The workbook's file as chosen in the save dialog, ".xlsx" added; empty when cancelled.
    QString askWorkbookName();
    QString shownFileName() const;

    Parts parts_;
};
