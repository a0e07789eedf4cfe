#include "ui/materials/TfrmUpdateMade.h"

#include "core/text/NumberText.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

QString figure(double value)
{
    return text(tintora::formatThreeDecimals(value));
}

QTableWidgetItem* item(const QString& shown)
{
    auto* cell = new QTableWidgetItem(shown);
    cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
    return cell;
}

// Numbers line up by their decimals, as in the formula table.
QTableWidgetItem* number(const QString& shown)
{
    QTableWidgetItem* cell = item(shown);
    cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return cell;
}

}  // namespace

TfrmUpdateMade::TfrmUpdateMade(
    const std::filesystem::path& formulaFolder, const std::filesystem::path& materialFolder, QWidget* parent)
    : QDialog(parent)
    , made_(tintora::madeMaterialsIn(materialFolder))
{
    setWindowTitle(QStringLiteral("Update Made Materials"));
    setObjectName(QStringLiteral("frmUpdateMade"));
    setProperty("HelpContext", QStringLiteral("updatemade"));
    tintora::MaterialOverrides overrides;
    remade_ = tintora::remakeMadeMaterials(made_, formulaFolder, tintora::MaterialFiles(materialFolder), overrides);

    auto* layout = new QVBoxLayout(this);
    table_ = new QTableWidget(0, 7, this);
    table_->setObjectName(QStringLiteral("MadeTable"));
    table_->setAccessibleName(QStringLiteral("Made materials"));
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("Code"), QStringLiteral("Formula"), QStringLiteral("Cost now"), QStringLiteral("Cost after"),
            QStringLiteral("Spec now"), QStringLiteral("Spec after"), QStringLiteral("Changed")});
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("Summary"));
    summary_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    applyButton_ = buttons->addButton(QStringLiteral("&Apply"), QDialogButtonBox::AcceptRole);
    applyButton_->setObjectName(QStringLiteral("ApplyButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(table_);
    layout->addWidget(summary_);
    layout->addWidget(buttons);
    fillTable();
    resize(820, 420);
}

void TfrmUpdateMade::fillTable()
{
    table_->setRowCount(static_cast<int>(remade_.size()));
    for (int line = 0; line < table_->rowCount(); ++line) {
        const tintora::RemadeMaterial& r = remade_[static_cast<std::size_t>(line)];
        const tintora::RowMaterialProps& before = r.made->material.props;
        table_->setItem(line, 0, item(text(r.made->code)));
        table_->setItem(line, 1, item(text(r.made->source)));
        table_->setItem(line, 2, number(figure(before.Cost)));
        table_->setItem(line, 3, number(r.after ? figure(r.after->Cost) : QString()));
        table_->setItem(line, 4, number(figure(before.Spec)));
        table_->setItem(line, 5, number(r.after ? figure(r.after->Spec) : QString()));
        table_->setItem(line, 6,
            item(!r.problem.empty() ? text(r.problem)
                    : r.changed()   ? QStringLiteral("Yes")
                                    : QStringLiteral("No")));
    }
    const int changed = changedCount();
    if (made_.empty())
        summary_->setText(QStringLiteral("The Materials folder holds no made material."));
    else if (changed == 0)
        summary_->setText(QStringLiteral("No made material changes."));
    else if (changed == 1)
        summary_->setText(QStringLiteral("Apply writes the one made material that changes."));
    else
        summary_->setText(QStringLiteral("Apply writes the %1 made materials that change.").arg(changed));
    applyButton_->setEnabled(changed > 0);
}

int TfrmUpdateMade::changedCount() const
{
    return static_cast<int>(
        std::count_if(remade_.begin(), remade_.end(), [](const tintora::RemadeMaterial& r) { return r.changed(); }));
}
