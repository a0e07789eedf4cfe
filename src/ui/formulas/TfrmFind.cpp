#include "ui/formulas/TfrmFind.h"

#include "core/text/NumberText.h"
#include "ui/formulas/FindResultsModel.h"
#include "ui/formulas/WhereUsedSearch.h"
#include "ui/widgets/DecimalSign.h"
#include "ui/widgets/LocalPath.h"

#include <QAction>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace {

// How often the list takes what the search found: often enough to look
// immediate, seldom enough that ten thousand uses are a few dozen updates.
constexpr int TakeIntervalMs = 50;

QString counted(qsizetype n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromLatin1(n == 1 ? one : many));
}

// "12 rows in 9 formulas; 1 file could not be read", as the status line says how a search went.
QString outcomeText(const FindResultsModel& results, const QString& query, bool stopped, int filesLookedAt)
{
    QString text;
    if (stopped)
        text = QStringLiteral("Stopped after %1: ").arg(counted(filesLookedAt, "file", "files"));
    if (results.usesFound() > 0 || stopped)
        text += QStringLiteral("%1 in %2")
                    .arg(counted(results.usesFound(), "row", "rows"),
                        counted(results.formulasFound(), "formula", "formulas"));
    else
        text += QStringLiteral("No formula uses \"%1\"").arg(query);
    if (results.unreadableFiles() > 0)
        text += QStringLiteral("; %1 could not be read").arg(counted(results.unreadableFiles(), "file", "files"));
    return text + QLatin1Char('.');
}

// What New cost holds: nothing, a price, or a text that is no price (why).
struct TypedPrice {
    std::optional<double> price;
    QString problem;
};

TypedPrice typedPrice(const QString& text)
{
    const QString typed = typedInNumber(text).trimmed();
    if (typed.isEmpty())
        return {};
    const std::optional<double> value = tintora::parseNumberText(typed.toStdString());
    if (!value)
        return {std::nullopt, QStringLiteral("Not a number")};
    if (*value < 0)
        return {std::nullopt, QStringLiteral("Below 0")};
    return {value, {}};
}

// Wide enough for the longest text the column or box usually holds.
int widthFor(const QWidget& view, const QString& sample)
{
    return view.fontMetrics().horizontalAdvance(sample) + 2 * view.fontMetrics().averageCharWidth();
}

}  // namespace

TfrmFind::TfrmFind(Parts parts, QWidget* parent)
    : QDialog(parent)
    , parts_(std::move(parts))
    , results_(new FindResultsModel(this))
    , takeTimer_(new QTimer(this))
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(QStringLiteral("Find"));
    setProperty("HelpContext", QStringLiteral("find"));
    // A window of its own, not a dialog, which window managers keep above the main window.
    setWindowFlags(Qt::Window);
    setSizeGripEnabled(true);
    // Not a dialog of the main window (see placeBesideOwner), yet closing the
    // main window still ends the program while this one is shown.
    setAttribute(Qt::WA_QuitOnClose, false);
    createLayout();
    takeTimer_->setInterval(TakeIntervalMs);
    connect(takeTimer_, &QTimer::timeout, this, &TfrmFind::takeFound);
    connect(findButton_, &QPushButton::clicked, this, &TfrmFind::FindButtonClick);
    connect(findBox_, &QLineEdit::returnPressed, this, &TfrmFind::startSearch);
    connect(newCostBox_, &QLineEdit::returnPressed, this, &TfrmFind::startSearch);
    connect(newCostBox_, &QLineEdit::textChanged, this, &TfrmFind::newCost);
    connect(resultList_, &QTableView::activated, this, &TfrmFind::ResultListActivated);
    // Ctrl+F here, as in the main window, goes back to the material typed.
    auto* findAgain = new QAction(this);
    findAgain->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    addAction(findAgain);
    connect(findAgain, &QAction::triggered, this, &TfrmFind::Execute);
}

TfrmFind::~TfrmFind()
{
    // Before the list and the timer go: the search's thread must not outlive them.
    search_.reset();
}

QLayout* TfrmFind::createQueryRow()
{
    auto* label = new QLabel(QStringLiteral("&Material code or name:"), this);
    findBox_ = new QLineEdit(this);
    findBox_->setObjectName(QStringLiteral("FindBox"));
    label->setBuddy(findBox_);
    auto* costLabel = new QLabel(QStringLiteral("&New cost:"), this);
    newCostBox_ = new QLineEdit(this);
    newCostBox_->setObjectName(QStringLiteral("NewCostBox"));
    newCostBox_->setToolTip(QStringLiteral("A price for the code searched: each formula's cost per gallon at it"));
    // Room for a price; the search keeps room for a code when the window is narrow.
    newCostBox_->setFixedWidth(widthFor(*newCostBox_, QStringLiteral("00000.000")));
    findBox_->setMinimumWidth(widthFor(*findBox_, QStringLiteral("titaniumdiox")));
    costLabel->setBuddy(newCostBox_);
    newCostNote_ = new QLabel(this);
    newCostNote_->setObjectName(QStringLiteral("NewCostNote"));
    findButton_ = new QPushButton(QStringLiteral("&Find"), this);
    findButton_->setObjectName(QStringLiteral("FindButton"));
    // Enter in the list opens a formula; it must not start the search again.
    findButton_->setAutoDefault(false);
    auto* queryRow = new QHBoxLayout;
    queryRow->addWidget(label);
    queryRow->addWidget(findBox_, 1);
    queryRow->addWidget(costLabel);
    queryRow->addWidget(newCostBox_);
    queryRow->addWidget(newCostNote_);
    queryRow->addWidget(findButton_);
    return queryRow;
}

void TfrmFind::createLayout()
{
    QLayout* queryRow = createQueryRow();
    resultList_ = new QTableView(this);
    resultList_->setObjectName(QStringLiteral("ResultList"));
    resultList_->setModel(results_);
    resultList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    resultList_->setSelectionMode(QAbstractItemView::SingleSelection);
    resultList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultList_->setWordWrap(false);
    resultList_->verticalHeader()->hide();
    resultList_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    resultList_->verticalHeader()->setDefaultSectionSize(resultList_->fontMetrics().height() + 6);
    QHeaderView* header = resultList_->horizontalHeader();
    header->setSectionResizeMode(FindResultsModel::FormulaColumn, QHeaderView::Stretch);
    header->resizeSection(
        FindResultsModel::FileColumn, widthFor(*resultList_, QStringLiteral("alkyd-gloss-enamel-white.tfx")));
    header->resizeSection(FindResultsModel::RowColumn, widthFor(*resultList_, QStringLiteral("Row")));
    header->resizeSection(FindResultsModel::CodeColumn, widthFor(*resultList_, QStringLiteral("titaniumdiox")));
    header->resizeSection(FindResultsModel::WeightColumn, widthFor(*resultList_, QStringLiteral("00000.000")));
    header->resizeSection(FindResultsModel::PercentColumn, widthFor(*resultList_, QStringLiteral("100.000")));
    // Shown while a search asks a new cost.
    for (int c = FindResultsModel::PerGallonNowColumn; c < FindResultsModel::ColumnCount; ++c) {
        header->resizeSection(c, widthFor(*resultList_, results_->headerData(c, Qt::Horizontal).toString()));
        resultList_->setColumnHidden(c, true);
    }
    header->setSortIndicator(FindResultsModel::FileColumn, Qt::AscendingOrder);
    resultList_->setSortingEnabled(true);

    statusLabel_ = new QLabel(this);
    statusLabel_->setObjectName(QStringLiteral("StatusLabel"));
    statusLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* column = new QVBoxLayout(this);
    column->addLayout(queryRow);
    column->addWidget(resultList_, 1);
    column->addWidget(statusLabel_);
    resize(640, 360);
}

// The window stands on its own beside the main window, not above it as a
// dialog would: the formula it opens must be seen, with the list beside it.
void TfrmFind::placeBesideOwner()
{
    winId();
    windowHandle()->setTransientParent(nullptr);
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* shownOn = owner ? owner->screen() : nullptr;
    if (!owner || !shownOn)
        return;
    // The smallest list worth placing beside the main window instead of below it.
    constexpr QSize MinimumSize(420, 200);
    const QRect ownerFrame = owner->frameGeometry();
    // Its own frame is not known before it is shown: the owner's stands in.
    const QSize decoration = ownerFrame.size() - owner->size();
    const QRect placed = placement(shownOn->availableGeometry(), ownerFrame, size() + decoration,
        minimumSizeHint().expandedTo(MinimumSize) + decoration);
    move(placed.topLeft());
    resize(placed.size() - decoration);
}

QRect TfrmFind::placement(const QRect& area, const QRect& ownerFrame, QSize frame, QSize minimum)
{
    frame = frame.boundedTo(area.size());
    const auto along = [](int start, int length, int areaStart, int areaLength) {
        return std::clamp(start, areaStart, std::max(areaStart, areaStart + areaLength - length));
    };
    const int right = area.right() - ownerFrame.right();
    const int left = ownerFrame.left() - area.left();
    if (std::max(right, left) >= minimum.width()) {
        const int width = std::min(frame.width(), std::max(right, left));
        const int x = right >= left ? ownerFrame.right() + 1 : ownerFrame.left() - width;
        return {x, along(ownerFrame.top(), frame.height(), area.top(), area.height()), width, frame.height()};
    }
    const int below = area.bottom() - ownerFrame.bottom();
    const int above = ownerFrame.top() - area.top();
    if (std::max(below, above) >= minimum.height()) {
        const int height = std::min(frame.height(), std::max(below, above));
        const int y = below >= above ? ownerFrame.bottom() + 1 : ownerFrame.top() - height;
        return {along(ownerFrame.left(), frame.width(), area.left(), area.width()), y, frame.width(), height};
    }
    return {along(ownerFrame.right() + 1, frame.width(), area.left(), area.width()),
        along(ownerFrame.top(), frame.height(), area.top(), area.height()), frame.width(), frame.height()};
}

void TfrmFind::Execute()
{
    if (!placed_) {
        placeBesideOwner();
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
    findBox_->setFocus();
    findBox_->selectAll();
}

void TfrmFind::FindButtonClick()
{
    if (searching())
        stopSearch();
    else
        startSearch();
}

void TfrmFind::setSearching(bool on)
{
    findButton_->setText(on ? QStringLiteral("&Stop") : QStringLiteral("&Find"));
    if (on)
        takeTimer_->start();
    else
        takeTimer_->stop();
}

void TfrmFind::startSearch()
{
    search_.reset();  // a search still running stops first: its finds belong to the old list
    setSearching(false);
    results_->clear();
    query_ = findBox_->text().trimmed();
    const QString formulaFolder = parts_.formulaFolder();
    if (query_.isEmpty()) {
        statusLabel_->setText(QStringLiteral("Type a material code or words of a material's name."));
        emit searchEnded();
        return;
    }
    if (!QFileInfo(formulaFolder).isDir()) {
        statusLabel_->setText(QStringLiteral("The Formulas folder %1 cannot be read.").arg(formulaFolder));
        emit searchEnded();
        return;
    }
    statusLabel_->setText(QStringLiteral("Searching..."));
    const std::optional<double> price = newCost();
    showCostColumns(price.has_value());
    search_ = std::make_unique<WhereUsedSearch>(localPath(formulaFolder), localPath(parts_.materialFolder()),
        tintora::WhereUsedQuery{query_.toStdString(), tintora::WhereUsedMatch::CodeOrNameWords}, price,
        // On the searching thread: only a call queued to this window.
        [this] { QMetaObject::invokeMethod(this, &TfrmFind::takeFound, Qt::QueuedConnection); });
    setSearching(true);
}

void TfrmFind::showCostColumns(bool shown)
{
    for (int c = FindResultsModel::PerGallonNowColumn; c < FindResultsModel::ColumnCount; ++c)
        resultList_->setColumnHidden(c, !shown);
    if (!shown || grownForCosts_)
        return;
    grownForCosts_ = true;
    int room = 0;
    for (int c = FindResultsModel::PerGallonNowColumn; c < FindResultsModel::ColumnCount; ++c)
        room += resultList_->horizontalHeader()->sectionSizeHint(c);
    const QRect screenArea = screen()->availableGeometry();
    const int grown = std::min(width() + room, screenArea.width());
    resize(grown, height());
    if (x() + grown > screenArea.right())
        move(std::max(screenArea.left(), screenArea.right() - grown), y());
}

void TfrmFind::stopSearch()
{
    if (!search_)
        return;
    search_->stop();
    search_->wait();
    takeFound();
}

void TfrmFind::done(int result)
{
    stopSearch();
    QDialog::done(result);
}

void TfrmFind::takeFound()
{
    if (!search_)
        return;  // the end of a search already taken, queued before it was
    WhereUsedSearch::Taken taken = search_->take();
    results_->append(taken.found);
    if (!taken.summary)
        return;
    search_.reset();
    setSearching(false);
    const tintora::WhereUsedSummary& summary = *taken.summary;
    showOutcome(summary.stopped, summary.formulasRead + summary.unreadable, fromUtf8(taken.failure));
    if (taken.cost)
        showCostOutcome(*taken.cost);
    emit searchEnded();
}

void TfrmFind::showOutcome(bool stopped, int filesLookedAt, const QString& failure)
{
    if (!failure.isEmpty())
        statusLabel_->setText(QStringLiteral("The search broke off: %1").arg(failure));
    else
        statusLabel_->setText(outcomeText(*results_, query_, stopped, filesLookedAt));
}

// The formulas the list holds are those that name the code; those that use it
// only through made materials are counted after the outcome.
void TfrmFind::showCostOutcome(const tintora::Result<tintora::CostChangeAnswer>& cost)
{
    if (!cost) {
        statusLabel_->setText(statusLabel_->text() + QStringLiteral(" New cost: ") + fromUtf8(cost.problem()));
        return;
    }
    QString text;
    if (const int elsewhere = results_->setCosts(cost.value().formulas); elsewhere > 0)
        text += QStringLiteral(" %1 it through made materials.")
                    .arg(counted(elsewhere, "more formula uses", "more formulas use"));
    if (const auto failed = static_cast<qsizetype>(cost.value().problems.size()); failed > 0)
        text += QStringLiteral(" %1 could not be made again.").arg(counted(failed, "made material", "made materials"));
    statusLabel_->setText(statusLabel_->text() + text);
}

std::optional<double> TfrmFind::newCost()
{
    const TypedPrice typed = typedPrice(newCostBox_->text());
    newCostNote_->setText(typed.problem);
    return typed.price;
}

void TfrmFind::ResultListActivated(const QModelIndex& index)
{
    if (!index.isValid() || !results_->isUse(index.row()))
        return;
    parts_.openAt(results_->filePath(index.row()), results_->formulaRow(index.row()));
}
