#include "print/LabPrinter.h"

#include "formulas/FormulaFile.h"

#include <QDate>
#include <QFile>
#include <QFontMetrics>
#include <QLocale>
#include <QPaintDevice>
#include <QPainter>

#include <cmath>

PrintoutGeometry PrintoutGeometry::from(int printableWidth, int fontHeight)
{
    // Halves go to the even neighbour.
    const double width = std::nearbyint(printableWidth * 0.0125);
    return {fontHeight, static_cast<int>(width)};
}

namespace {

QFont printoutFont(QPaintDevice& device, tintora::TextStyle style)
{
    QFont font(QStringLiteral("Courier"), 12);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setBold(style != tintora::TextStyle::Regular);
    font.setUnderline(style == tintora::TextStyle::BoldUnderline);
    return QFont(font, &device);
}

}  // namespace

QString todayShortDate()
{
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

bool LabPrint(QPaintDevice& device, const tintora::FormulaSheet& sheet, const QString& formulaPath,
              const QString& dateText)
{
    const std::string fileName = tintora::fileNameOf(QFile::encodeName(formulaPath).toStdString());
    const auto page = tintora::LabPrintPage(sheet, fileName, dateText.toStdString());

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QFont regular = printoutFont(device, tintora::TextStyle::Regular);
    const QRect printable = painter.viewport();
    const PrintoutGeometry geometry = PrintoutGeometry::from(printable.width(), QFontMetrics(regular, &device).height());
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    painter.setPen(Qt::black);
    for (const tintora::DrawText& text : page) {
        painter.setFont(printoutFont(device, text.style));
        const QPoint topLeft(text.column * geometry.columnWidth, text.line * geometry.lineHeight);
        painter.drawText(QRect(topLeft, QSize(printable.width() * 4, geometry.lineHeight)),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, QString::fromStdString(text.text));
    }
    return painter.end();
}
