#include "PlantPdf.h"

#include "OutputFile.h"

#include "ReportFormula.h"

#include "ui/print/LabPrinter.h"
#include "ui/widgets/LocalPath.h"

#include <QGuiApplication>

#include <iostream>

namespace tintora::report {

namespace {

QPageSize chosenPageSize(PageSize size)
{
    switch (size) {
    case PageSize::A4:
        return QPageSize(QPageSize::A4);
    case PageSize::Letter:
        return QPageSize(QPageSize::Letter);
    case PageSize::Locale:
        break;
    }
    return localePageSize();
}

// Qt's notes about the session (no runtime folder, no display) are no news to
// the user of a command-line tool; its errors still are.
void keepQtErrorsOnly(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << "\n";
}

}  // namespace

bool writePagesPdf(const ReportOptions& options, const PdfLayout& layout, const std::string& title)
{
    const std::string& pdfPath = options.pdfPath;
    if (const auto refusal = documentOutputRefusal(pdfPath, options.force)) {
        reportProblem(*refusal);
        return false;
    }
    // Fonts and PDF output need a GUI application, not a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(keepQtErrorsOnly);
    int argc = 1;
    char name[] = "tintora-report";
    char* argv[] = {name, nullptr};
    const QGuiApplication app(argc, argv);
    if (!PrintPagesPdf(fromLocalPath(pdfPath), chosenPageSize(options.pageSize.value_or(PageSize::Locale)), layout,
            QString::fromStdString(title))) {
        reportProblem("cannot write the PDF file " + pdfPath);
        return false;
    }
    return true;
}

}  // namespace tintora::report
