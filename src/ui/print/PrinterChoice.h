#pragma once
// How the main window finds the printer for its printout: the print dialog,
// and the system's own printer when it prints without asking. Tests put
// their own functions in place of both.
#include <functional>
#include <memory>

class QPrintDialog;
class QPrinter;
class QWidget;

// A printer for the printout: at the printer's full resolution, so that the
// 80 columns fall on whole device pixels of a fine grid.
std::unique_ptr<QPrinter> newLabPrinter();

// The system print dialog for `printer`, offering to print into a PDF file.
std::unique_ptr<QPrintDialog> newLabPrintDialog(QPrinter& printer, QWidget* parent);

// Shows the print dialog; true when the user confirmed it. A printer without
// a file of its own is offered the file the last confirmed dialog printed into.
bool runLabPrintDialog(QWidget* parent, QPrinter& printer);

// Points `printer` at the system's default printer, else at the first one
// there is; false when there is none.
bool useSystemPrinter(QPrinter& printer);

// The two ways the window comes to a printer; the functions above unless a
// test gives its own.
struct PrinterChoice {
    std::function<bool(QWidget* parent, QPrinter& printer)> runDialog = runLabPrintDialog;
    std::function<bool(QPrinter& printer)> findSystemPrinter = useSystemPrinter;
};
