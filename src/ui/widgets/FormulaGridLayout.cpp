#include "ui/widgets/FormulaGridLayout.h"

#include "ui/widgets/TSuperGrid.h"

#include <QApplication>
#include <QFontDatabase>

QFont smallSansFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(8);
    return font;
}

TColumns formulaGridColumns()
{
    QFont plain = smallSansFont();
    QFont bold = plain;
    bold.setBold(true);
    const QColor black(Qt::black);

    auto column = [&](const QString& title, TAlignment alignment, bool boldData, TOverflow overflow) {
        TColumn c;
        if (!title.isEmpty())
            c.Title = QStringList{title};
        c.TitleAlignment = TAlignment::Center;
        c.Alignment = alignment;
        c.setTitleFont(bold);
        c.TitleFontColor = black;
        c.setFont(boldData ? bold : plain);
        c.FontColor = black;
        c.Overflow = overflow;
        c.TitleLayout = TVerticalLayout::Top;
        c.Layout = TVerticalLayout::Top;
        return c;
    };

    TColumns columns;
    TColumn mark = column(QString(), TAlignment::Right, true, TOverflow::Clip);
    mark.Color = QApplication::palette().color(QPalette::Button);
    mark.ControlKind = TControlKind::CheckBox;
    mark.CheckBoxStyle = TCheckBoxStyle::Standard;
    mark.CheckedDefault = false;
    columns.add(mark);
    columns.add(column(QStringLiteral("Material"), TAlignment::Left, false, TOverflow::Ellipsis));
    columns.add(column(QStringLiteral("Description"), TAlignment::Left, false, TOverflow::Ellipsis));
    columns.add(column(QStringLiteral("Weight"), TAlignment::Right, false, TOverflow::Clip));
    columns.add(column(QStringLiteral("Volume"), TAlignment::Right, false, TOverflow::Clip));
    columns.add(column(QStringLiteral("W%"), TAlignment::Right, false, TOverflow::Clip));
    return columns;
}

void applyFormulaGridLayout(TSuperGrid& grid)
{
    grid.setFont(smallSansFont());
    const int widths[] = {35, 99, 140, 90, 88, 52};
    for (int c = 0; c < 6; ++c)
        grid.setColWidths(c, widths[c]);
    grid.setDefaultRowHeight(17);
    grid.setRowHeights(0, 19);
    grid.setGridLineColor(grid.palette().color(QPalette::Base));
    grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid.setColumns(formulaGridColumns());
}
