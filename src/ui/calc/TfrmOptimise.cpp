#include "ui/calc/TfrmOptimise.h"

#include "core/calc/Calculate.h"
#include "core/solver/ClpSolver.h"
#include "core/text/NumberText.h"
#include "ui/widgets/DecimalSign.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

using tintora::Failure;
using tintora::Result;

enum RowColumn { RowNumber, RowCode, RowDescription, RowWeight, RowVary, RowMinimum, RowMaximum, RowAfter };
enum FigureColumn { FigureName, FigurePresent, FigureMinimum, FigureMaximum, FigureAfter };

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

QString figureText(const std::optional<double>& value)
{
    return value ? text(tintora::formatThreeDecimals(*value)) : QString();
}

QTableWidgetItem* readOnly(const QString& shown)
{
    auto* item = new QTableWidgetItem(shown);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

QTableWidget* table(QWidget* parent, const QStringList& headers, const char* name)
{
    auto* t = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->hide();
    t->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->horizontalHeader()->setStretchLastSection(true);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    return t;
}

// A bound typed into a cell: empty for none; the cell's name in the refusal.
Result<std::optional<double>> boundIn(const QTableWidgetItem* item, const std::string& what)
{
    const QString typed = item ? typedInNumber(item->text().trimmed()) : QString();
    if (typed.isEmpty())
        return std::optional<double>();
    const std::optional<double> value = tintora::parseNumberText(typed.toStdString());
    if (!value)
        return Failure(what + ": " + tintora::quotedName(typed.toStdString()) + " is no number.");
    return value;
}

// "Cost per gallon 7.979 → 7.512 (−5.9 %)".
QString costChange(const char* name, const std::optional<double>& before, const std::optional<double>& after)
{
    const double b = before.value_or(0), a = after.value_or(0);
    const double change = b != 0 ? (a - b) / b * 100 : 0;
    const QString sign = change < 0 ? QStringLiteral("−") : QStringLiteral("+");
    return QStringLiteral("%1 %2 → %3 (%4%5 %)")
        .arg(QString::fromLatin1(name), text(tintora::formatThreeDecimals(b)), text(tintora::formatThreeDecimals(a)),
            sign, text(tintora::formatFixed(std::abs(change), 1)));
}

}  // namespace

TfrmOptimise::TfrmOptimise(
    const tintora::FormulaSheet& sheet, const tintora::OptimiseSettings& start, OpenHelp openHelp, QWidget* parent)
    : QDialog(parent)
    , sheet_(sheet)
    , openHelp_(std::move(openHelp))
{
    tintora::Calculate(sheet_);
    setWindowTitle(QStringLiteral("Optimise"));
    setObjectName(QStringLiteral("frmOptimise"));
    setProperty("HelpContext", QString::fromLatin1(HelpTopic));
    buildLayout();
    filling_ = true;
    fillRows(start);
    fillFigures(start);
    kept_->setCurrentIndex(start.kept == tintora::KeptTotal::Weight ? 1 : 0);
    if (start.keptValue)
        keptValue_->setText(text(tintora::formatRoundTrip(*start.keptValue)));
    objective_->setCurrentIndex(start.objective == tintora::CostObjective::PerPound ? 1 : 0);
    filling_ = false;
    connect(rowsTable_, &QTableWidget::itemChanged, this, &TfrmOptimise::settingsChanged);
    connect(figuresTable_, &QTableWidget::itemChanged, this, &TfrmOptimise::settingsChanged);
    connect(keptValue_, &QLineEdit::textEdited, this, &TfrmOptimise::settingsChanged);
    connect(kept_, &QComboBox::currentIndexChanged, this, &TfrmOptimise::settingsChanged);
    connect(objective_, &QComboBox::currentIndexChanged, this, &TfrmOptimise::settingsChanged);
}

void TfrmOptimise::buildLayout()
{
    auto* layout = new QVBoxLayout(this);
    auto* rowsLabel = new QLabel(QStringLiteral("&Rows: check Vary for each row the optimisation may change"), this);
    rowsTable_ = table(this,
        {QStringLiteral("Row"), QStringLiteral("Code"), QStringLiteral("Description"), QStringLiteral("Weight"),
            QStringLiteral("Vary"), QStringLiteral("Minimum"), QStringLiteral("Maximum"), QStringLiteral("After")},
        "RowsTable");
    rowsLabel->setBuddy(rowsTable_);
    auto* figuresLabel = new QLabel(QStringLiteral("&Limits: an empty minimum or maximum is no limit"), this);
    figuresTable_ = table(this,
        {QStringLiteral("Figure"), QStringLiteral("Present"), QStringLiteral("Minimum"), QStringLiteral("Maximum"),
            QStringLiteral("After")},
        "FiguresTable");
    figuresLabel->setBuddy(figuresTable_);
    costs_ = new QLabel(this);
    costs_->setObjectName(QStringLiteral("Costs"));
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("Message"));
    message_->setWordWrap(true);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    QPushButton* optimiseButton = buttons->addButton(QStringLiteral("&Optimise"), QDialogButtonBox::ActionRole);
    optimiseButton->setObjectName(QStringLiteral("OptimiseButton"));
    optimiseButton->setDefault(true);
    applyButton_ = buttons->addButton(QStringLiteral("&Apply"), QDialogButtonBox::AcceptRole);
    applyButton_->setObjectName(QStringLiteral("ApplyButton"));
    applyButton_->setEnabled(false);
    connect(optimiseButton, &QPushButton::clicked, this, &TfrmOptimise::Optimise);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        if (openHelp_)
            openHelp_(QString::fromLatin1(HelpTopic));
    });
    for (QWidget* w : {static_cast<QWidget*>(rowsLabel), static_cast<QWidget*>(rowsTable_),
             static_cast<QWidget*>(figuresLabel), static_cast<QWidget*>(figuresTable_), buildTotals(),
             static_cast<QWidget*>(costs_), static_cast<QWidget*>(message_), static_cast<QWidget*>(buttons)})
        layout->addWidget(w);
    resize(760, 720);
}

QWidget* TfrmOptimise::buildTotals()
{
    auto* totals = new QWidget(this);
    auto* form = new QFormLayout(totals);
    form->setContentsMargins(0, 0, 0, 0);
    kept_ = new QComboBox(totals);
    kept_->setObjectName(QStringLiteral("KeptTotal"));
    kept_->addItems({QStringLiteral("Total volume (gal)"), QStringLiteral("Total weight (lb)")});
    keptValue_ = new QLineEdit(totals);
    keptValue_->setObjectName(QStringLiteral("KeptValue"));
    keptValue_->setAccessibleName(QStringLiteral("Total kept"));
    const auto presentTotal = [this] {
        keptValue_->setPlaceholderText(text(tintora::formatThreeDecimals(sheet_.box(
            kept_->currentIndex() == 1 ? tintora::PropertyBox::WeightBox : tintora::PropertyBox::VolumeBox))));
    };
    connect(kept_, &QComboBox::currentIndexChanged, this, presentTotal);
    presentTotal();
    auto* keptRow = new QHBoxLayout;
    keptRow->addWidget(kept_);
    keptRow->addWidget(keptValue_);
    form->addRow(QStringLiteral("&Keep:"), keptRow);
    static_cast<QLabel*>(form->labelForField(keptRow))->setBuddy(kept_);
    objective_ = new QComboBox(totals);
    objective_->setObjectName(QStringLiteral("Objective"));
    objective_->addItems({QStringLiteral("Cost per gallon"), QStringLiteral("Cost per pound")});
    form->addRow(QStringLiteral("&Minimise:"), objective_);
    return totals;
}

void TfrmOptimise::fillRows(const tintora::OptimiseSettings& start)
{
    for (int n = 1; n <= tintora::SheetRowCount; ++n) {
        if (!sheet_.isMaterialRow(n))
            continue;
        const auto setting = std::find_if(
            start.varied.begin(), start.varied.end(), [n](const tintora::VariedRow& v) { return v.row == n; });
        const int line = rowsTable_->rowCount();
        rowsTable_->insertRow(line);
        rows_.push_back(n);
        rowsTable_->setItem(line, RowNumber, readOnly(QString::number(n)));
        rowsTable_->setItem(
            line, RowCode, readOnly(text(std::string(tintora::trimBlanks(sheet_.cell(tintora::Column::Material, n))))));
        rowsTable_->setItem(line, RowDescription, readOnly(text(sheet_.cell(tintora::Column::Description, n))));
        rowsTable_->setItem(line, RowWeight, readOnly(text(tintora::formatThreeDecimals(sheet_.weight(n)))));
        QTableWidgetItem* vary = readOnly(QString());
        vary->setFlags(vary->flags() | Qt::ItemIsUserCheckable);
        vary->setCheckState(setting != start.varied.end() ? Qt::Checked : Qt::Unchecked);
        rowsTable_->setItem(line, RowVary, vary);
        const bool bounded = setting != start.varied.end();
        rowsTable_->setItem(line, RowMinimum,
            new QTableWidgetItem(
                bounded && setting->minimum != 0 ? text(tintora::formatRoundTrip(setting->minimum)) : QString()));
        rowsTable_->setItem(line, RowMaximum,
            new QTableWidgetItem(bounded && setting->maximum != tintora::RowWeightLimit
                    ? text(tintora::formatRoundTrip(setting->maximum))
                    : QString()));
        rowsTable_->setItem(line, RowAfter, readOnly(QString()));
    }
}

void TfrmOptimise::fillFigures(const tintora::OptimiseSettings& start)
{
    const tintora::FigureValues present = tintora::figureValues(sheet_);
    figuresTable_->setRowCount(tintora::OptimiseFigureCount);
    for (int f = 0; f < tintora::OptimiseFigureCount; ++f) {
        std::optional<double> minimum, maximum;
        for (const tintora::FigureLimit& limit : start.limits)
            if (limit.figure == f) {
                minimum = limit.minimum;
                maximum = limit.maximum;
            }
        auto* name = readOnly(QString::fromUtf8(tintora::figureName(f)));
        name->setToolTip(QString::fromLatin1(tintora::figureKey(f)));
        figuresTable_->setItem(f, FigureName, name);
        figuresTable_->setItem(f, FigurePresent, readOnly(figureText(present[static_cast<std::size_t>(f)])));
        figuresTable_->setItem(
            f, FigureMinimum, new QTableWidgetItem(minimum ? text(tintora::formatRoundTrip(*minimum)) : QString()));
        figuresTable_->setItem(
            f, FigureMaximum, new QTableWidgetItem(maximum ? text(tintora::formatRoundTrip(*maximum)) : QString()));
        figuresTable_->setItem(f, FigureAfter, readOnly(QString()));
    }
}

Result<std::vector<tintora::VariedRow>> TfrmOptimise::variedRows() const
{
    std::vector<tintora::VariedRow> varied;
    for (int line = 0; line < rowsTable_->rowCount(); ++line) {
        if (rowsTable_->item(line, RowVary)->checkState() != Qt::Checked)
            continue;
        const std::string row = "Row " + std::to_string(rows_[static_cast<std::size_t>(line)]);
        const auto minimum = boundIn(rowsTable_->item(line, RowMinimum), row + ", minimum");
        const auto maximum = boundIn(rowsTable_->item(line, RowMaximum), row + ", maximum");
        if (!minimum || !maximum)
            return Failure(minimum ? maximum.problem() : minimum.problem());
        varied.push_back({rows_[static_cast<std::size_t>(line)], minimum.value().value_or(0),
            maximum.value().value_or(tintora::RowWeightLimit)});
    }
    return varied;
}

Result<std::vector<tintora::FigureLimit>> TfrmOptimise::limits() const
{
    std::vector<tintora::FigureLimit> limits;
    for (int f = 0; f < tintora::OptimiseFigureCount; ++f) {
        const std::string name = tintora::figureName(f);
        const auto minimum = boundIn(figuresTable_->item(f, FigureMinimum), name + ", minimum");
        const auto maximum = boundIn(figuresTable_->item(f, FigureMaximum), name + ", maximum");
        if (!minimum || !maximum)
            return Failure(minimum ? maximum.problem() : minimum.problem());
        if (minimum.value() || maximum.value())
            limits.push_back({f, minimum.value(), maximum.value()});
    }
    return limits;
}

Result<tintora::OptimiseSettings> TfrmOptimise::settings() const
{
    Result<std::vector<tintora::VariedRow>> varied = variedRows();
    if (!varied)
        return Failure(varied.problem());
    Result<std::vector<tintora::FigureLimit>> limited = limits();
    if (!limited)
        return Failure(limited.problem());
    tintora::OptimiseSettings s;
    s.varied = std::move(varied).value();
    s.limits = std::move(limited).value();
    s.kept = kept_->currentIndex() == 1 ? tintora::KeptTotal::Weight : tintora::KeptTotal::Volume;
    s.objective
        = objective_->currentIndex() == 1 ? tintora::CostObjective::PerPound : tintora::CostObjective::PerGallon;
    const QString typed = typedInNumber(keptValue_->text().trimmed());
    if (!typed.isEmpty()) {
        s.keptValue = tintora::parseNumberText(typed.toStdString());
        if (!s.keptValue)
            return Failure("The total kept: " + tintora::quotedName(typed.toStdString()) + " is no number.");
    }
    return s;
}

void TfrmOptimise::Optimise()
{
    found_.reset();
    const Result<tintora::OptimiseSettings> chosen = settings();
    if (!chosen) {
        showFound();
        showMessage(text(chosen.problem()));
        return;
    }
    ranWith_ = chosen.value();
    Result<tintora::OptimisedFormula> result = tintora::optimise(sheet_, chosen.value(), tintora::solveLinearProgram);
    if (!result) {
        showFound();
        showMessage(text(result.problem()));
        return;
    }
    found_ = std::move(result).value();
    showFound();
    QStringList notes;
    for (const std::string& missed : found_->missedAfterRounding)
        notes << text(missed);
    showMessage(notes.join(QLatin1Char('\n')));
}

void TfrmOptimise::showFound()
{
    filling_ = true;
    for (int line = 0; line < rowsTable_->rowCount(); ++line)
        rowsTable_->item(line, RowAfter)
            ->setText(found_
                    ? text(tintora::formatThreeDecimals(found_->formula.weight(rows_[static_cast<std::size_t>(line)])))
                    : QString());
    for (int f = 0; f < tintora::OptimiseFigureCount; ++f)
        figuresTable_->item(f, FigureAfter)
            ->setText(found_ ? figureText(found_->after[static_cast<std::size_t>(f)]) : QString());
    filling_ = false;
    costs_->setText(found_ ? costChange("Cost per gallon", found_->before[tintora::CostPerGallonFigure],
                                 found_->after[tintora::CostPerGallonFigure])
                + QStringLiteral("      ")
                + costChange("Cost per pound", found_->before[tintora::CostPerPoundFigure],
                    found_->after[tintora::CostPerPoundFigure])
                           : QString());
    applyButton_->setEnabled(found_.has_value());
}

void TfrmOptimise::showMessage(const QString& shown)
{
    message_->setText(shown);
    message_->setAccessibleDescription(shown);
}

QString TfrmOptimise::message() const
{
    return message_->text();
}

// The result shown no longer answers the settings: Apply waits for the next Optimise.
void TfrmOptimise::settingsChanged()
{
    if (filling_ || !found_)
        return;
    found_.reset();
    showFound();
    showMessage(QStringLiteral("The settings changed: Optimise again to see their cheapest formula."));
}
