#include "ui/print/FormulaMimeData.h"

#include <QMimeData>

namespace {

using CellLine = QList<ClipboardCell>;

ClipboardCell numberCell(std::optional<double> value, QLocale locale)
{
    if (!value)
        return {};
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return {locale.toString(*value, 'f', 3), value};
}

ClipboardCell textCell(const std::string& text)
{
    return {QString::fromStdString(text), std::nullopt};
}

ClipboardCell textCell(const char* text)
{
    return {QString::fromLatin1(text), std::nullopt};
}

QString plainText(const ClipboardCell& cell)
{
    if (cell.number)
        return cell.text;
    return QString::fromStdString(tintora::asSpreadsheetText(cell.text.toStdString()));
}

QString tabSeparated(const QList<CellLine>& cells)
{
    QString text;
    for (const CellLine& line : cells) {
        QStringList fields;
        for (const ClipboardCell& cell : line)
            fields << plainText(cell);
        text += fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

// A number cell carries its value and the format "0.000" in the attributes
// spreadsheets read (sdval/sdnum, x:num with mso-number-format), so that a
// paste keeps the three decimals; a text cell is formatted as text, so that
// "=2+3" is never run.
QString htmlCell(const ClipboardCell& cell)
{
    if (cell.text.isEmpty())
        return QStringLiteral("<td></td>");
    if (cell.number) {
        const QString value = QString::number(*cell.number, 'f', 3);
        return QStringLiteral(R"(<td sdval="%1" sdnum="1033;0;0.000" x:num="%1" style="mso-number-format:'0\.000'">)")
                   .arg(value)
            + cell.text.toHtmlEscaped() + QStringLiteral("</td>");
    }
    return QStringLiteral(R"(<td sdnum="1033;0;@" style="mso-number-format:'\@'">)") + cell.text.toHtmlEscaped()
        + QStringLiteral("</td>");
}

QString htmlTable(const QList<CellLine>& cells)
{
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><table>\n");
    for (const CellLine& line : cells) {
        html += QStringLiteral("<tr>");
        for (const ClipboardCell& cell : line)
            html += htmlCell(cell);
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table></body></html>\n");
}

}  // namespace

QList<CellLine> formulaClipboardCells(const tintora::FormulaTable& table, const QLocale& locale)
{
    QList<CellLine> cells;
    cells.append({textCell(table.name)});
    cells.append({textCell("Code"), textCell("Description"), textCell("Weight (lb)"), textCell("Volume (gal)"),
        textCell(table.percentTitle)});
    for (const tintora::FormulaTableRow& row : table.rows) {
        if (row.note)
            cells.append({ClipboardCell{}, textCell(row.description)});
        else
            cells.append({textCell(row.code), textCell(row.description), numberCell(row.weight, locale),
                numberCell(row.volume, locale), numberCell(row.percent, locale)});
    }
    cells.append(CellLine{});
    for (const tintora::FormulaTableProperty& property : table.properties)
        cells.append({textCell(property.name), numberCell(property.value, locale), textCell(property.unit)});
    return cells;
}

std::unique_ptr<QMimeData> formulaMimeData(const tintora::FormulaSheet& sheet, const QLocale& locale)
{
    const QList<CellLine> cells = formulaClipboardCells(tintora::formulaTable(sheet), locale);
    auto data = std::make_unique<QMimeData>();
    data->setText(tabSeparated(cells));
    data->setHtml(htmlTable(cells));
    return data;
}
