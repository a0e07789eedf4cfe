#include "ui/print/PlantCommands.h"

#include "core/export/FormulaWorkbook.h"
#include "core/formulas/FormulaFile.h"
#include "core/print/BatchTicket.h"
#include "core/print/MaterialsPrintout.h"
#include "ui/print/BatchSizeDialog.h"
#include "ui/print/FormulaMimeData.h"
#include "ui/print/LabPrintCommands.h"
#include "ui/widgets/LocalPath.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMimeData>
#include <QPrinter>
#include <QStatusBar>

namespace {

const QString WorkbookExtension = QStringLiteral(".xlsx");

}  // namespace

PlantCommands::PlantCommands(Parts parts)
    : QObject(&parts.window)
    , parts_(std::move(parts))
{
}

QString PlantCommands::shownFileName() const
{
    return fromUtf8(tintora::shownFileName(localFileName(parts_.formulaPath())));
}

void PlantCommands::showStatus(const QString& message)
{
    if (auto* mainWindow = qobject_cast<QMainWindow*>(&parts_.window))
        mainWindow->statusBar()->showMessage(message);
}

void PlantCommands::printThroughDialog(const PageLayout& layout, const QString& title)
{
    const std::unique_ptr<QPrinter> printer = newLabPrinter();
    if (!parts_.printing.runDialog(&parts_.window, *printer))
        return;
    if (!PrintPages(*printer, layout, title)) {
        parts_.prompter.error("The printout could not be started on the printer.");
        return;
    }
    // Every printout says where it went, so that none lands anywhere unseen.
    showStatus(printoutDestination(*printer));
}

void PlantCommands::BatchPrint1Click()
{
    const std::optional<BatchRequest> request = askBatchSize(&parts_.window, parts_.sheet, parts_.prompter);
    if (!request)
        return;
    const tintora::TicketHeading heading{shownFileName().toStdString(), todayShortDate().toStdString(), request->lot};
    printThroughDialog(
        [&](int linesPerPage) {
            return tintora::BatchTicketPages(parts_.sheet, request->plan.batch, heading, linesPerPage);
        },
        fromUtf8(tintora::printoutTitle("Batch ticket", parts_.sheet, heading.fileName)));
}

void PlantCommands::MaterialsPrint1Click()
{
    const QString folder = parts_.materialFolder();
    const std::vector<tintora::MaterialListEntry> entries = tintora::readMaterialList(localPath(folder));
    const tintora::MaterialsHeading heading{folder.toStdString(), todayShortDate().toStdString()};
    printThroughDialog([&](int linesPerPage) { return tintora::MaterialsPrintPages(entries, heading, linesPerPage); },
        QStringLiteral("Materials"));
}

void PlantCommands::CopyOut1Click()
{
    QGuiApplication::clipboard()->setMimeData(formulaMimeData(parts_.sheet).release());
    showStatus(QStringLiteral("The formula is on the clipboard, ready to paste into a spreadsheet."));
}

QString PlantCommands::askWorkbookName()
{
    return askSaveName(parts_.chooseWorkbookFile, parts_.prompter,
        {.parent = &parts_.window,
            .folder = parts_.formulaFolder(),
            .filter = QStringLiteral("Excel Workbook (*.xlsx)"),
            .initialFile = QFileInfo(parts_.formulaPath()).completeBaseName() + WorkbookExtension,
            .extension = WorkbookExtension});
}

void PlantCommands::ExcelClick()
{
    const QString target = askWorkbookName();
    if (target.isEmpty())
        return;
    const tintora::Result<tintora::FileStamp> result
        = tintora::writeFormulaWorkbook(localPath(target), shownFileName().toStdString(), parts_.sheet);
    if (!result.ok()) {
        parts_.prompter.error(result.problem());
        return;
    }
    showStatus(QStringLiteral("The formula was written to the workbook %1.").arg(target));
}
