#include "ui/print/FormulaMimeData.h"

#include <QMimeData>

#include <optional>

namespace {

QString numberText(std::optional<double> value, QLocale locale)
{
    if (!value)
        return {};
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(*value, 'f', 3);
}

QString utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

QString tabSeparated(const QList<QStringList>& cells)
{
    QString text;
    for (const QStringList& line : cells)
        text += line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    return text;
}

QString htmlTable(const QList<QStringList>& cells)
{
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><table>\n");
    for (const QStringList& line : cells) {
        html += QStringLiteral("<tr>");
        for (const QString& cell : line)
            html += QStringLiteral("<td>") + cell.toHtmlEscaped() + QStringLiteral("</td>");
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table></body></html>\n");
}

}  // namespace

QList<QStringList> formulaClipboardCells(const tintora::FormulaTable& table, const QLocale& locale)
{
    QList<QStringList> cells;
    cells.append({utf8(table.name)});
    cells.append({QStringLiteral("Code"), QStringLiteral("Description"), QStringLiteral("Weight (lb)"),
        QStringLiteral("Volume (gal)"), QString::fromLatin1(table.percentTitle)});
    for (const tintora::FormulaTableRow& row : table.rows) {
        if (row.note)
            cells.append({QString(), utf8(row.description)});
        else
            cells.append({utf8(row.code), utf8(row.description), numberText(row.weight, locale),
                numberText(row.volume, locale), numberText(row.percent, locale)});
    }
    cells.append(QStringList{});
    for (const tintora::FormulaTableProperty& property : table.properties)
        cells.append({QString::fromLatin1(property.name), numberText(property.value, locale),
            QString::fromLatin1(property.unit)});
    return cells;
}

std::unique_ptr<QMimeData> formulaMimeData(const tintora::FormulaSheet& sheet, const QLocale& locale)
{
    const QList<QStringList> cells = formulaClipboardCells(tintora::formulaTable(sheet), locale);
    auto data = std::make_unique<QMimeData>();
    data->setText(tabSeparated(cells));
    data->setHtml(htmlTable(cells));
    return data;
}
