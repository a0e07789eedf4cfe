#include "ui/formulas/TfrmCompliance.h"

#include "core/compliance/Compliance.h"
#include "core/text/NumberText.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using tintora::ProductType;
using tintora::VocVerdict;

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

QString unknownOr(const std::optional<double>& value, int decimals, const QString& unit)
{
    return value ? text(tintora::formatFixed(*value, decimals)) + unit : QStringLiteral("unknown");
}

QString gramsPerLitre(const std::optional<double>& value)
{
    return unknownOr(value, 1, QStringLiteral(" g/L"));
}

// A figure shown as a label the user may select and copy, named for a screen reader.
QLabel* figure(QWidget* parent, const char* name, const QString& accessibleName)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAccessibleName(accessibleName);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// "tio2, caco3": each code once, in the order of the rows.
QString codesOf(const std::vector<std::string>& codes)
{
    QStringList listed;
    for (const std::string& code : codes)
        if (!listed.contains(text(code)))
            listed << text(code);
    return listed.join(QStringLiteral(", "));
}

// Green within, red over; the palette's own colour while the verdict is unknown.
QPalette verdictPalette(QPalette palette, VocVerdict::State state)
{
    if (state == VocVerdict::State::Within)
        palette.setColor(QPalette::WindowText, QColor(0x1a, 0x7f, 0x37));
    else if (state == VocVerdict::State::Over)
        palette.setColor(QPalette::WindowText, QColor(0xc6, 0x28, 0x28));
    return palette;
}

}  // namespace

TfrmCompliance::TfrmCompliance(const tintora::FormulaSheet& sheet, OpenHelp openHelp, QWidget* parent)
    : QDialog(parent)
    , sheet_(sheet)
    , openHelp_(std::move(openHelp))
{
    setObjectName(QStringLiteral("frmCompliance"));
    setWindowTitle(QStringLiteral("Compliance"));
    setProperty("HelpContext", QString::fromLatin1(HelpTopic));
    // It stays open beside the main window while the user works there.
    setModal(false);
    buildLayout();
    connect(category_, &QComboBox::currentIndexChanged, this, &TfrmCompliance::choose);
    connect(type_, &QComboBox::currentIndexChanged, this, &TfrmCompliance::choose);
}

void TfrmCompliance::buildLayout()
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildChoice());
    layout->addWidget(buildVerdict());
    layout->addWidget(buildContents());
    layout->addWidget(buildFilmBuild());
    notes_ = figure(this, "Notes", QStringLiteral("Missing figures"));
    notes_->setWordWrap(true);
    layout->addWidget(notes_);
    problems_ = figure(this, "Problems", QStringLiteral("Problems of the VOC limits table"));
    problems_->setWordWrap(true);
    layout->addWidget(problems_);
    layout->addStretch(1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close | QDialogButtonBox::Help, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        if (openHelp_)
            openHelp_(QString::fromLatin1(HelpTopic));
    });
    layout->addWidget(buttons);
}

QWidget* TfrmCompliance::buildChoice()
{
    auto* choice = new QWidget(this);
    auto* form = new QFormLayout(choice);
    form->setContentsMargins(0, 0, 0, 0);
    category_ = new QComboBox(choice);
    category_->setObjectName(QStringLiteral("CategoryBox"));
    category_->setAccessibleName(QStringLiteral("VOC category"));
    // The names are long: the box keeps a reasonable width, its list shows them whole.
    category_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    category_->setMinimumContentsLength(48);
    auto* categoryLabel = new QLabel(QStringLiteral("&Category:"), choice);
    categoryLabel->setBuddy(category_);
    form->addRow(categoryLabel, category_);
    type_ = new QComboBox(choice);
    type_->setObjectName(QStringLiteral("TypeBox"));
    type_->setAccessibleName(QStringLiteral("Product type"));
    type_->setPlaceholderText(QStringLiteral("(none)"));
    type_->addItem(QStringLiteral("Water-borne (WB)"), QString::fromLatin1(productTypeKey(ProductType::WaterBorne)));
    type_->addItem(
        QStringLiteral("Solvent-borne (SB)"), QString::fromLatin1(productTypeKey(ProductType::SolventBorne)));
    auto* typeLabel = new QLabel(QStringLiteral("&Type:"), choice);
    typeLabel->setBuddy(type_);
    form->addRow(typeLabel, type_);
    return choice;
}

QWidget* TfrmCompliance::buildVerdict()
{
    auto* group = new QGroupBox(QStringLiteral("VOC against the limit"), this);
    auto* form = new QFormLayout(group);
    voc_ = figure(group, "VocValue", QStringLiteral("VOC in the category's basis"));
    vocCaption_ = new QLabel(group);
    vocCaption_->setBuddy(voc_);
    form->addRow(vocCaption_, voc_);
    limit_ = figure(group, "LimitValue", QStringLiteral("Limit"));
    form->addRow(QStringLiteral("Limit:"), limit_);
    margin_ = figure(group, "MarginValue", QStringLiteral("Margin"));
    form->addRow(QStringLiteral("Margin:"), margin_);
    verdict_ = figure(group, "Verdict", QStringLiteral("Verdict"));
    QFont bold = verdict_->font();
    bold.setBold(true);
    verdict_->setFont(bold);
    form->addRow(verdict_);
    return group;
}

QWidget* TfrmCompliance::buildContents()
{
    auto* group = new QGroupBox(QStringLiteral("VOC content"), this);
    auto* row = new QHBoxLayout(group);
    auto* us = new QFormLayout;
    usVoc_ = figure(group, "UsVocValue", QStringLiteral("US VOC"));
    us->addRow(QStringLiteral("US (less water and exempt):"), usVoc_);
    auto* eu = new QFormLayout;
    euVoc_ = figure(group, "EuVocValue", QStringLiteral("EU VOC"));
    eu->addRow(QStringLiteral("EU (whole product):"), euVoc_);
    row->addLayout(us);
    row->addSpacing(24);
    row->addLayout(eu);
    row->addStretch(1);
    return group;
}

QWidget* TfrmCompliance::buildFilmBuild()
{
    auto* group = new QGroupBox(QStringLiteral("Film build"), this);
    auto* form = new QFormLayout(group);
    pvc_ = figure(group, "PvcValue", QStringLiteral("PVC"));
    form->addRow(QStringLiteral("PVC:"), pvc_);
    cpvc_ = figure(group, "CpvcValue", QStringLiteral("CPVC"));
    form->addRow(QStringLiteral("CPVC:"), cpvc_);
    lambda_ = figure(group, "LambdaValue", QStringLiteral("Reduced PVC, lambda"));
    form->addRow(QStringLiteral("Λ = PVC / CPVC:"), lambda_);
    return group;
}

// Beside the main window, where it covers none of the sheet it follows, as
// far as the screen allows.
void TfrmCompliance::placeBeside(const QWidget& window)
{
    constexpr int Gap = 8;
    const QRect frame = window.frameGeometry();
    const QSize size = sizeHint();
    QPoint at(frame.right() + 1 + Gap, frame.top());
    if (const QScreen* screen = window.screen()) {
        const QRect room = screen->availableGeometry();
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - size.width())));
        at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - size.height())));
    }
    move(at);
}

void TfrmCompliance::setLimits(tintora::VocLimitsTable limits)
{
    limits_ = std::move(limits);
    QStringList problems;
    for (const std::string& problem : limits_.problems)
        problems << text(problem);
    problems_->setText(problems.join(QLatin1Char('\n')));
    problems_->setVisible(!problems.isEmpty());
    refresh();
}

void TfrmCompliance::refresh()
{
    showChoice();
    const tintora::VocCategory* category = limits_.find(sheet_.compliance.category);
    showVerdict(category);
    showContents();
    const tintora::FilmBuild film = tintora::filmBuild(sheet_);
    showFilmBuild(film);
    showNotes(category, film);
    // The notes wrap, and come and go with the sheet: the window grows to
    // show them rather than squeezing the figures.
    const int needed = layout()->totalHeightForWidth(width());
    if (needed > height())
        resize(width(), needed);
}

// The boxes show the sheet's choice without taking it as the user's.
void TfrmCompliance::showChoice()
{
    const QSignalBlocker categoryQuiet(category_);
    const QSignalBlocker typeQuiet(type_);
    fillCategories();
    category_->setCurrentIndex(std::max(0, category_->findData(text(sheet_.compliance.category))));
    const auto type = tintora::productTypeOfKey(sheet_.compliance.type);
    type_->setCurrentIndex(type ? type_->findData(QString::fromLatin1(productTypeKey(*type))) : -1);
}

// "(none)", each category of the table by name with its id, and a choice the
// formula keeps that the table lacks, so that it is neither lost nor hidden.
void TfrmCompliance::fillCategories()
{
    category_->clear();
    category_->addItem(QStringLiteral("(none)"), QString());
    for (const tintora::VocCategory& c : limits_.categories)
        category_->addItem(QStringLiteral("%1 — %2").arg(text(c.name), text(c.id)), text(c.id));
    const std::string& kept = sheet_.compliance.category;
    if (!kept.empty() && !limits_.find(kept))
        category_->addItem(QStringLiteral("%1 (not in the table)").arg(text(kept)), text(kept));
    for (int i = 0; i < category_->count(); ++i)
        category_->setItemData(i, category_->itemText(i), Qt::ToolTipRole);
    category_->view()->setMinimumWidth(category_->view()->sizeHintForColumn(0));
}

void TfrmCompliance::showVerdict(const tintora::VocCategory* category)
{
    const VocVerdict verdict = tintora::vocVerdict(sheet_, category, tintora::productTypeOfKey(sheet_.compliance.type));
    const bool chosen = verdict.state != VocVerdict::State::NoCategory;
    const auto shown
        = [chosen](const std::optional<double>& value) { return chosen ? gramsPerLitre(value) : QStringLiteral("—"); };
    vocCaption_->setText(!chosen                       ? QStringLiteral("VOC:")
            : category->basis == tintora::VocBasis::EU ? QStringLiteral("VOC (EU basis):")
                                                       : QStringLiteral("VOC (US basis):"));
    voc_->setText(shown(verdict.voc));
    limit_->setText(shown(verdict.limit));
    margin_->setText(shown(verdict.margin));
    const std::string& kept = sheet_.compliance.category;
    verdict_->setText(!kept.empty() && !category
            ? QStringLiteral("The category %1 is not in the table of VOC limits.").arg(text(kept))
            : text(verdict.words));
    verdict_->setPalette(verdictPalette(palette(), verdict.state));
}

void TfrmCompliance::showContents()
{
    usVoc_->setText(gramsPerLitre(sheet_.box(tintora::PropertyBox::VocBox)));
    euVoc_->setText(gramsPerLitre(tintora::euVocContent(sheet_)));
}

void TfrmCompliance::showFilmBuild(const tintora::FilmBuild& film)
{
    pvc_->setText(unknownOr(film.pvc, 1, QStringLiteral(" %")));
    cpvc_->setText(unknownOr(film.cpvc, 1, QStringLiteral(" %")));
    lambda_->setText(film.lambda ? QStringLiteral("%1, %2").arg(
                         text(tintora::formatFixed(*film.lambda, 2)), text(tintora::lambdaReading(*film.lambda)))
                                 : QStringLiteral("unknown"));
}

void TfrmCompliance::showNotes(const tintora::VocCategory* category, const tintora::FilmBuild& film)
{
    QStringList notes;
    if (!film.lackingOilAbsorption.empty())
        notes << QStringLiteral("CPVC and Λ are unknown: no oil absorption (Oil_Abs) for %1.")
                     .arg(codesOf(film.lackingOilAbsorption));
    if (category && category->basis == tintora::VocBasis::EU)
        if (const auto lacking = tintora::lackingEuVoc(sheet_); !lacking.empty())
            notes << QStringLiteral("No EU VOC (EUVoc_Wt) for %1: their Voc_Wt is used.").arg(codesOf(lacking));
    notes_->setText(notes.join(QLatin1Char('\n')));
    notes_->setVisible(!notes.isEmpty());
}

// A category chosen without a type takes the type the box shows, water-borne
// when it shows none, so that the verdict has both.
void TfrmCompliance::choose()
{
    tintora::ComplianceChoice choice = sheet_.compliance;
    choice.category = category_->currentData().toString().toStdString();
    const bool typeShown = type_->currentIndex() >= 0;
    choice.type = typeShown       ? type_->currentData().toString().toStdString()
        : choice.category.empty() ? choice.type
                                  : std::string(productTypeKey(ProductType::WaterBorne));
    emit choiceMade(choice);
}
