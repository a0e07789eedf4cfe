#include "ui/print/LabPrinter.h"

#include "core/formulas/FormulaFile.h"
#include "core/print/PrintDate.h"
#include "ui/widgets/LocalPath.h"

#include <QDate>
#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPaintDevice>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr double PrintoutPointSize = 12;

QFont printoutFont(const QPaintDevice& device, double pointSize, tintora::TextStyle style)
{
    QFont font(QStringLiteral("Courier"));
    font.setPointSizeF(pointSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setBold(style != tintora::TextStyle::Regular);
    return QFont(font, &device);
}

double advanceOf(const QFont& font, const QPaintDevice& device)
{
    return QFontMetricsF(font, &device).horizontalAdvance(QLatin1Char('0'));
}

// Each character k of the text stands at column + k on one white band as wide
// as its columns, so a later text covers what it overlaps whatever the font's
// own advance. The underline runs along the whole band.
void drawPrintoutText(QPainter& painter, const PrintoutGeometry& geometry, const tintora::DrawText& text)
{
    const std::u32string characters = QString::fromStdString(text.text).toStdU32String();
    const QFont font = printoutFont(*painter.device(), geometry.pointSize, text.style);
    const QFontMetricsF metrics(font, painter.device());
    const QPointF topLeft(text.column * geometry.columnWidth, text.line * geometry.lineHeight);
    const double width = static_cast<double>(characters.size()) * geometry.columnWidth;
    painter.fillRect(QRectF(topLeft, QSizeF(width, geometry.lineHeight)), Qt::white);
    painter.setFont(font);
    const double baseline = topLeft.y() + geometry.baseline;
    for (std::size_t k = 0; k < characters.size(); ++k) {
        if (characters[k] != U' ')
            painter.drawText(QPointF(topLeft.x() + static_cast<double>(k) * geometry.columnWidth, baseline),
                QString::fromUcs4(&characters[k], 1));
    }
    if (text.style == tintora::TextStyle::BoldUnderline)
        painter.fillRect(QRectF(topLeft.x(), baseline + metrics.underlinePos(), width, metrics.lineWidth()), Qt::black);
}

}  // namespace

PrintoutGeometry PrintoutGeometry::from(int printableWidth, int fontHeight)
{
    // Halves go to the even neighbour.
    const double width = std::nearbyint(printableWidth * 0.0125);
    return {fontHeight, static_cast<int>(width)};
}

PrintoutGeometry PrintoutGeometry::onDevice(QPaintDevice& device, int printableWidth)
{
    PrintoutGeometry geometry = from(printableWidth, 0);
    // A character may be no wider than its column, and 80 of them no wider
    // than the page: on A4 12-point characters would run off the right edge.
    const double widest
        = std::min(static_cast<double>(geometry.columnWidth), printableWidth / double(tintora::PrintoutColumns));
    QFont font = printoutFont(device, PrintoutPointSize, tintora::TextStyle::Regular);
    const double advance = advanceOf(font, device);
    if (advance > widest) {
        geometry.pointSize = PrintoutPointSize * widest / advance;
        font = printoutFont(device, geometry.pointSize, tintora::TextStyle::Regular);
        // Font metrics are rounded: step down until a character fits.
        while (advanceOf(font, device) > widest && geometry.pointSize > 1) {
            geometry.pointSize *= 0.998;
            font = printoutFont(device, geometry.pointSize, tintora::TextStyle::Regular);
        }
    }
    geometry.lineHeight = QFontMetrics(font, &device).height();
    geometry.baseline = QFontMetricsF(font, &device).ascent();
    return geometry;
}

QString todayShortDate()
{
    const QDate today = QDate::currentDate();
    const QString pattern = QLocale::system().dateFormat(QLocale::ShortFormat);
    return QString::fromStdString(
        tintora::formatShortDate({today.year(), today.month(), today.day()}, pattern.toStdString()));
}

bool LabPrint(
    QPaintDevice& device, const tintora::FormulaSheet& sheet, const QString& formulaPath, const QString& dateText)
{
    const std::string fileName = tintora::shownFileName(localFileName(formulaPath));
    return PrintPages(
        device,
        [&](int) {
            return std::vector<tintora::PrintPage>{tintora::LabPrintPage(sheet, fileName, dateText.toStdString())};
        },
        QString::fromStdString(tintora::printoutTitle({}, sheet, fileName)));
}

bool PrintPages(QPaintDevice& device, const PageLayout& layout, const QString& title)
{
    if (auto* printer = dynamic_cast<QPrinter*>(&device); printer && !title.isEmpty())
        printer->setDocName(title);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const PrintoutGeometry geometry = PrintoutGeometry::onDevice(device, painter.viewport().width());
    const auto pages = layout(std::max(1, painter.viewport().height() / std::max(1, geometry.lineHeight)));
    auto* pagedDevice = dynamic_cast<QPagedPaintDevice*>(&device);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && (pagedDevice == nullptr || !pagedDevice->newPage())) {
            painter.end();
            return false;
        }
        painter.setPen(Qt::black);
        for (const tintora::DrawText& text : pages[p])
            drawPrintoutText(painter, geometry, text);
    }
    return painter.end();
}

namespace {

void printIntoPdf(QPrinter& printer, const QString& pdfPath, const QPageSize& pageSize)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setPageSize(pageSize);
}

}  // namespace

bool LabPrintPdf(const QString& pdfPath, const QPageSize& pageSize, const tintora::FormulaSheet& sheet,
    const QString& formulaPath, const QString& dateText)
{
    QPrinter printer(QPrinter::HighResolution);
    printIntoPdf(printer, pdfPath, pageSize);
    return LabPrint(printer, sheet, formulaPath, dateText);
}

bool PrintPagesPdf(const QString& pdfPath, const QPageSize& pageSize, const PageLayout& layout, const QString& title)
{
    QPrinter printer(QPrinter::HighResolution);
    printIntoPdf(printer, pdfPath, pageSize);
    return PrintPages(printer, layout, title);
}

QPageSize localePageSize()
{
    const bool usUnits = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageSize(usUnits ? QPageSize::Letter : QPageSize::A4);
}
