#include "ui/print/LabPrintCommands.h"

#include "ui/print/LabPrinter.h"

#include <QMainWindow>
#include <QPrinter>
#include <QStatusBar>
#include <QWidget>

namespace {

bool printsIntoAFile(const QPrinter& printer)
{
    return !printer.outputFileName().isEmpty();
}

}  // namespace

QString printoutDestination(const QPrinter& printer)
{
    if (printsIntoAFile(printer))
        return QStringLiteral("The printout went to the file %1.").arg(printer.outputFileName());
    return QStringLiteral("The printout went to the printer %1.").arg(printer.printerName());
}

LabPrintCommands::LabPrintCommands(const tintora::FormulaSheet& sheet, std::function<QString()> formulaPath,
    tintora::Prompter& prompter, PrinterChoice printing, QWidget& window)
    : QObject(&window)
    , sheet_(sheet)
    , formulaPath_(std::move(formulaPath))
    , prompter_(prompter)
    , printing_(std::move(printing))
    , window_(window)
{
}

LabPrintCommands::~LabPrintCommands() = default;

void LabPrintCommands::printOn(QPrinter& printer)
{
    if (!LabPrint(printer, sheet_, formulaPath_(), todayShortDate())) {
        prompter_.error("The printout could not be started on the printer.");
        return;
    }
    // Every printout says where it went, so that none lands anywhere unseen.
    if (auto* mainWindow = qobject_cast<QMainWindow*>(&window_))
        mainWindow->statusBar()->showMessage(printoutDestination(printer));
}

void LabPrintCommands::LabPrint1Click()
{
    // The dialog opens on the last choice; a cancelled first dialog chooses nothing.
    std::unique_ptr<QPrinter> fresh = chosenPrinter_ ? nullptr : newLabPrinter();
    QPrinter& printer = chosenPrinter_ ? *chosenPrinter_ : *fresh;
    if (!printing_.runDialog(&window_, printer))
        return;
    if (fresh)
        chosenPrinter_ = std::move(fresh);
    printOn(*chosenPrinter_);
}

void LabPrintCommands::PrintButtonClick()
{
    // Printing at once into the file of the last dialog would silently
    // replace it, with whatever formula is open now: ask where instead.
    if (chosenPrinter_ && printsIntoAFile(*chosenPrinter_)) {
        LabPrint1Click();
        return;
    }
    if (chosenPrinter_) {
        printOn(*chosenPrinter_);
        return;
    }
    const std::unique_ptr<QPrinter> printer = newLabPrinter();
    if (!printing_.findSystemPrinter(*printer)) {
        prompter_.error("No printer is available. Use File \u25B8 Print \u25B8 Lab Print to print to a PDF file.");
        return;
    }
    printOn(*printer);
}
