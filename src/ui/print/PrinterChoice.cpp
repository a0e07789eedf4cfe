#include "ui/print/PrinterChoice.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

std::unique_ptr<QPrinter> newLabPrinter()
{
    return std::make_unique<QPrinter>(QPrinter::HighResolution);
}

std::unique_ptr<QPrintDialog> newLabPrintDialog(QPrinter& printer, QWidget* parent)
{
    auto dialog = std::make_unique<QPrintDialog>(&printer, parent);
    dialog->setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog;
}

bool runLabPrintDialog(QWidget* parent, QPrinter& printer)
{
    // Within a run the dialog offers the file the last printout went into,
    // whichever printout it was; after a printout on paper it offers the printer.
    static QString lastFile;
    if (printer.outputFileName().isEmpty() && !lastFile.isEmpty())
        printer.setOutputFileName(lastFile);
    const bool accepted = newLabPrintDialog(printer, parent)->exec() == QDialog::Accepted;
    if (accepted)
        lastFile = printer.outputFileName();
    return accepted;
}

bool useSystemPrinter(QPrinter& printer)
{
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
        if (printers.isEmpty())
            return false;
        info = printers.first();
    }
    printer.setPrinterName(info.printerName());
    return true;
}
