#include "ui/print/BatchSizeDialog.h"

#include "core/text/NumberText.h"
#include "ui/widgets/DecimalSign.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>

namespace {

struct BatchFields {
    QLineEdit* size = nullptr;
    QComboBox* unit = nullptr;
    QLineEdit* lot = nullptr;
};

BatchFields buildDialog(QDialog& dialog)
{
    dialog.setWindowTitle(QStringLiteral("Batch Print"));
    auto* form = new QFormLayout(&dialog);
    BatchFields fields{new QLineEdit(&dialog), new QComboBox(&dialog), new QLineEdit(&dialog)};
    fields.unit->addItems({QStringLiteral("lb"), QStringLiteral("gal")});
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(fields.size);
    sizeRow->addWidget(fields.unit);
    form->addRow(QStringLiteral("Batch size:"), sizeRow);
    form->addRow(QStringLiteral("Lot number:"), fields.lot);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return fields;
}

}  // namespace

std::optional<BatchRequest> askBatchSize(
    QWidget* parent, const tintora::FormulaSheet& formula, tintora::Prompter& prompter)
{
    QDialog dialog(parent);
    const BatchFields fields = buildDialog(dialog);
    while (dialog.exec() == QDialog::Accepted) {
        const auto amount = tintora::parseNumberText(typedInNumber(fields.size->text()).toStdString());
        const auto unit = fields.unit->currentIndex() == 0 ? tintora::BatchUnit::Pounds : tintora::BatchUnit::Gallons;
        tintora::BatchPlan plan = tintora::planBatch(formula, {amount.value_or(0), unit});
        if (plan.refusal.empty())
            return BatchRequest{std::move(plan), fields.lot->text().toStdString()};
        prompter.error(plan.refusal);
    }
    return std::nullopt;
}
