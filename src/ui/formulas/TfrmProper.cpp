#include "ui/formulas/TfrmProper.h"

#include "core/formulas/FormulaWrite.h"
#include "core/sheet/DiskChanges.h"
#include "ui/formulas/TfrmSpec.h"
#include "ui/widgets/LocalPath.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

constexpr int GroupLeft = 6;
constexpr int GroupWidth = 334;
constexpr int IconSize = 32;
constexpr int TextLeft = 56;
constexpr int TextWidth = 266;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;

// The notes box takes typed and pasted text only as far as the limit allows;
// text read from the file may be longer.
class NotesBox : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        const bool printable = !event->text().isEmpty() && event->text().front().isPrint();
        if ((lineBreak || printable) && !(event->modifiers() & Qt::ControlModifier)) {
            const auto typed = static_cast<std::size_t>(lineBreak ? 1 : event->text().size());
            if (fits(typed) < typed) {
                event->accept();
                return;
            }
        }
        QPlainTextEdit::keyPressEvent(event);
    }

    void insertFromMimeData(const QMimeData* source) override
    {
        QString text = source->text();
        auto count = static_cast<qsizetype>(fits(static_cast<std::size_t>(text.size())));
        if (count > 0 && count < text.size() && text.at(count - 1).isHighSurrogate())
            --count;
        textCursor().insertText(text.left(count));
        ensureCursorVisible();
    }

private:
    std::size_t fits(std::size_t inserted) const
    {
        return tintora::typedCharactersThatFit(static_cast<std::size_t>(toPlainText().size()),
            static_cast<std::size_t>(textCursor().selectedText().size()), inserted);
    }
};

tintora::DateNames systemDateNames()
{
    const QLocale locale = QLocale::system();
    tintora::DateNames names;
    for (int i = 0; i < 12; ++i) {
        names.shortMonths[static_cast<std::size_t>(i)] = locale.monthName(i + 1, QLocale::ShortFormat).toStdString();
        names.longMonths[static_cast<std::size_t>(i)] = locale.monthName(i + 1, QLocale::LongFormat).toStdString();
    }
    for (int i = 0; i < 7; ++i) {
        names.shortDays[static_cast<std::size_t>(i)] = locale.dayName(i + 1, QLocale::ShortFormat).toStdString();
        names.longDays[static_cast<std::size_t>(i)] = locale.dayName(i + 1, QLocale::LongFormat).toStdString();
    }
    return names;
}

QGroupBox* addGroup(QWidget* page, const QString& title, int top, int height)
{
    auto* group = new QGroupBox(title, page);
    group->setGeometry(GroupLeft, top, GroupWidth, height);
    return group;
}

void addIcon(QGroupBox* group, QStyle::StandardPixmap icon)
{
    auto* label = new QLabel(group);
    label->setPixmap(group->style()->standardIcon(icon, nullptr, group).pixmap(IconSize, IconSize));
    label->setGeometry(12, 22, IconSize, IconSize);
}

void addText(QGroupBox* group, const QString& text, int height)
{
    auto* label = new QLabel(text, group);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(TextLeft, 22, TextWidth, height);
}

QPushButton* addButton(QWidget* parent, const char* name, const QString& caption, int left, int top)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, top, ButtonWidth, ButtonHeight);
    return button;
}

}  // namespace

TfrmProper::TfrmProper(tintora::Prompter* prompter, QWidget* mainWindow)
    : QDialog(mainWindow,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint)
    , prompter_(prompter)
{
    setObjectName(QStringLiteral("frmProper"));
    setWindowTitle(QStringLiteral("Formula Properties"));
    setProperty("HelpContext", 40);
    setFixedSize(ClientWidth, ClientHeight);

    pageControl_ = new QTabWidget(this);
    pageControl_->setObjectName(QStringLiteral("PageControl1"));
    pageControl_->setGeometry(8, 8, 353, 356);
    createGeneralPage();
    createSpecsPage();
    createNotesPage();

    btnOk_ = addButton(this, "btnOk", QStringLiteral("OK"), 205, 370);
    btnOk_->setDefault(true);
    btnCancel_ = addButton(this, "btnCancel", QStringLiteral("Cancel"), 286, 370);
    connect(btnOk_, &QPushButton::clicked, this, &TfrmProper::btnOkClick);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);

    frmSpec_ = new TfrmSpec(this);
}

QWidget* TfrmProper::addPage(const QString& name, const QString& caption)
{
    auto* page = new QWidget;
    page->setObjectName(name);
    pageControl_->addTab(page, caption);
    return page;
}

void TfrmProper::createGeneralPage()
{
    QWidget* page = addPage(QStringLiteral("General"), QStringLiteral("General"));

    QGroupBox* protection = addGroup(page, QStringLiteral("Protection"), 6, 116);
    addIcon(protection, QStyle::SP_MessageBoxWarning);
    addText(protection,
        QStringLiteral("Standards protection can keep a formula from being accidentally changed. "
                       "Uncheck the box to remove protection from this formula."),
        56);
    chkProtect_ = new QCheckBox(QStringLiteral("Standards Protection"), protection);
    chkProtect_->setObjectName(QStringLiteral("chkProtect"));
    chkProtect_->setGeometry(TextLeft, 84, TextWidth, 20);

    QGroupBox* revision = addGroup(page, QStringLiteral("Revision"), 130, 100);
    addIcon(revision, QStyle::SP_FileDialogDetailedView);
    addText(revision, QStringLiteral("You can keep track of the last revision date for this formula."), 32);
    edtDate_ = new QDateEdit(revision);
    edtDate_->setObjectName(QStringLiteral("edtDate"));
    edtDate_->setCalendarPopup(true);
    edtDate_->setDateRange(QDate(tintora::MinDateYear, 1, 1), QDate(9999, 12, 31));
    const std::string shortPattern = QLocale::system().dateFormat(QLocale::ShortFormat).toStdString();
    edtDate_->setDisplayFormat(QString::fromStdString(tintora::fourDigitYearPattern(shortPattern)));
    edtDate_->setGeometry(TextLeft, 62, 120, 22);
}

void TfrmProper::createSpecsPage()
{
    QWidget* page = addPage(QStringLiteral("TabSheet1"), QStringLiteral("Specs"));

    QGroupBox* testing = addGroup(page, QStringLiteral("Testing"), 6, 262);
    addIcon(testing, QStyle::SP_FileDialogContentsView);
    addText(testing, QStringLiteral("You can keep specifications for testing the product here."), 32);
    specView_ = new QTreeWidget(testing);
    specView_->setObjectName(QStringLiteral("SpecView"));
    specView_->setGeometry(12, 62, 314, 188);
    specView_->setHeaderLabels({QStringLiteral("Specification"), QStringLiteral("Determined Value")});
    specView_->setColumnWidth(0, 73);
    specView_->setColumnWidth(1, 237);
    specView_->header()->setStretchLastSection(false);
    specView_->setRootIsDecorated(false);
    specView_->setItemsExpandable(false);
    specView_->setUniformRowHeights(true);
    specView_->setSelectionMode(QAbstractItemView::SingleSelection);
    specView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The selection stays as visible without the focus as with it.
    QPalette palette = specView_->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(
        QPalette::Inactive, QPalette::HighlightedText, palette.color(QPalette::Active, QPalette::HighlightedText));
    specView_->setPalette(palette);

    btnAdd_ = addButton(page, "btnAdd", QStringLiteral("Add"), 103, 274);
    btnEdit_ = addButton(page, "btnEdit", QStringLiteral("Edit"), 184, 274);
    btnDelete_ = addButton(page, "btnDelete", QStringLiteral("Delete"), 265, 274);
    connect(btnAdd_, &QPushButton::clicked, this, &TfrmProper::btnAddClick);
    connect(btnEdit_, &QPushButton::clicked, this, &TfrmProper::btnEditClick);
    connect(btnDelete_, &QPushButton::clicked, this, &TfrmProper::btnDeleteClick);
}

void TfrmProper::createNotesPage()
{
    QWidget* page = addPage(QStringLiteral("Notes"), QStringLiteral("Notes"));

    QGroupBox* information = addGroup(page, QStringLiteral("Information"), 6, 262);
    addIcon(information, QStyle::SP_MessageBoxInformation);
    addText(information,
        QStringLiteral("Here you can keep notes on this formula. "
                       "Press the clear button if you wish to erase the notes."),
        44);
    memo_ = new NotesBox(information);
    memo_->setObjectName(QStringLiteral("Memo1"));
    memo_->setGeometry(12, 72, 310, 178);
    memo_->setTabChangesFocus(true);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    btnClear_ = addButton(page, "btnClear", QStringLiteral("Clear"), 265, 274);
    connect(btnClear_, &QPushButton::clicked, this, &TfrmProper::btnClearClick);
}

int TfrmProper::Execute(const QString& formulaPath, bool formulaProtected)
{
    formulaPath_ = formulaPath;
    formulaProtected_ = formulaProtected;
    // Placed before it appears: the first time its frame is not known while it is shown.
    placeOnScreen();
    return exec();
}

void TfrmProper::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TfrmProper::FormShow()
{
    pageControl_->setCurrentIndex(0);
    chkProtect_->setChecked(formulaProtected_);

    // One read of the file for everything the dialog shows, stamped before
    // it, so that a change in between shows at OK.
    stampWhenRead_ = tintora::stampOfFile(localPath(formulaPath_));
    const tintora::FormulaProperties stored = tintora::readFormulaProperties(localPath(formulaPath_));

    QStringList lines;
    for (const std::string& note : stored.notes)
        lines.append(fromUtf8(note));
    memo_->setPlainText(lines.join(QLatin1Char('\n')));

    specView_->clear();
    specs_ = stored.testSpecs;
    for (std::size_t i = 0; i < specs_.size(); ++i)
        appendSpecItem();
    if (specView_->topLevelItemCount() > 0)
        specView_->setCurrentItem(specView_->topLevelItem(0));

    // Last, since a date that is no date ends the opening with the error report.
    storedDate_ = stored.date;
    const std::string dateProblem = showDate(stored.date);
    opened_ = {shownProperties(), formulaProtected_};
    if (!dateProblem.empty())
        prompter_->reportError(dateProblem + ".");
}

void TfrmProper::placeOnScreen()
{
    const QWidget* mainWindow = parentWidget() ? parentWidget()->window() : nullptr;
    if (!mainWindow)
        return;
    const QPoint corner = mainWindow->frameGeometry().topLeft();
    const QScreen* screen = mainWindow->screen();
    const QRect area = screen ? screen->geometry() : QRect(corner, frameGeometry().size());
    const QSize frame = frameGeometry().size();
    const tintora::ScreenPoint at = tintora::placeFormulaProperties({corner.x(), corner.y()}, frame.width(),
        frame.height(), {area.left(), area.top(), area.width(), area.height()});
    move(at.x, at.y);
}

// A stored text that is no date fails the conversion, and the error goes to
// the program's general error report (Prompter::reportError) like every other
// conversion error. The field shows that text instead of a date, so that
// nothing pretends the date were known; the notes and test specs are shown
// all the same, as they are filled before.
std::string TfrmProper::showDate(const std::optional<std::string>& stored)
{
    const QDate today = QDate::currentDate();
    const tintora::RevisionDate date
        = tintora::readRevisionDate(stored, QLocale::system().dateFormat(QLocale::ShortFormat).toStdString(),
            {today.year(), today.month(), today.day()}, systemDateNames());
    if (date.date) {
        edtDate_->setSpecialValueText({});
        edtDate_->setDate(QDate(date.date->year, date.date->month, date.date->day));
        return {};
    }
    edtDate_->setSpecialValueText(fromUtf8(*stored));
    edtDate_->setDate(edtDate_->minimumDate());
    return date.problem;
}

void TfrmProper::appendSpecItem()
{
    specView_->addTopLevelItem(new QTreeWidgetItem);
    showSpecItem(specView_->topLevelItemCount() - 1);
}

void TfrmProper::showSpecItem(int index)
{
    const tintora::TestSpecEntry& entry = specs_.at(static_cast<std::size_t>(index));
    QTreeWidgetItem* item = specView_->topLevelItem(index);
    item->setText(0, fromUtf8(entry.caption));
    item->setText(1, entry.subItems.empty() ? QString() : fromUtf8(entry.subItems.front()));
}

std::optional<int> TfrmProper::selectedSpec() const
{
    const QList<QTreeWidgetItem*> selected = specView_->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return specView_->indexOfTopLevelItem(selected.front());
}

void TfrmProper::btnAddClick()
{
    frmSpec_->setWindowTitle(QStringLiteral("Add Specification"));
    frmSpec_->edtSpec()->clear();
    frmSpec_->edtValue()->clear();
    if (frmSpec_->exec() != QDialog::Accepted)
        return;
    specs_.push_back(
        tintora::addedTestSpec(frmSpec_->edtSpec()->text().toStdString(), frmSpec_->edtValue()->text().toStdString()));
    appendSpecItem();
}

void TfrmProper::btnEditClick()
{
    const std::optional<int> index = selectedSpec();
    if (!index) {
        prompter_->inform("Please select and item.");
        return;
    }
    tintora::TestSpecEntry& entry = specs_.at(static_cast<std::size_t>(*index));
    const tintora::TestSpecFields fields = tintora::fieldsForEditing(entry);
    frmSpec_->setWindowTitle(QStringLiteral("Edit Specification"));
    frmSpec_->edtSpec()->setText(fromUtf8(fields.spec));
    frmSpec_->edtValue()->setText(fromUtf8(fields.value));
    if (frmSpec_->exec() != QDialog::Accepted)
        return;
    tintora::applyEditedTestSpec(
        entry, frmSpec_->edtSpec()->text().toStdString(), frmSpec_->edtValue()->text().toStdString());
    showSpecItem(*index);
}

void TfrmProper::btnDeleteClick()
{
    const std::optional<int> index = selectedSpec();
    if (!index) {
        prompter_->inform("Please select and item.");
        return;
    }
    if (!prompter_->askInformation("Are you sure you want to delete this item?"))
        return;
    specs_.erase(specs_.begin() + *index);
    delete specView_->takeTopLevelItem(*index);
}

void TfrmProper::btnClearClick()
{
    if (prompter_->askInformation("This will clear all text. Are you sure you want to continue ?"))
        memo_->clear();
}

std::optional<std::string> TfrmProper::shownDate() const
{
    // A stored text that was no date is shown as it stands until another date is chosen.
    if (!edtDate_->specialValueText().isEmpty() && edtDate_->date() == edtDate_->minimumDate())
        return storedDate_;
    const QDate date = edtDate_->date();
    return tintora::isoDateText({date.year(), date.month(), date.day()});
}

tintora::FormulaProperties TfrmProper::shownProperties() const
{
    tintora::FormulaProperties shown;
    shown.date = shownDate();
    const QString notes = memo_->toPlainText();
    if (!notes.isEmpty())
        for (const QString& line : notes.split(QLatin1Char('\n')))
            shown.notes.push_back(line.toStdString());
    shown.testSpecs = specs_;
    return shown;
}

bool TfrmProper::mayOverwrite()
{
    switch (tintora::askBeforeOverwriting(*prompter_, localPath(formulaPath_), stampWhenRead_)) {
    case tintora::Prompter::DiskChangeAnswer::Overwrite:
        return true;
    case tintora::Prompter::DiskChangeAnswer::Reload:
        FormShow();  // what the file holds now; the changes made here are dropped
        return false;
    case tintora::Prompter::DiskChangeAnswer::Cancel:
        break;
    }
    return false;
}

void TfrmProper::btnOkClick()
{
    const bool protect = chkProtect_->isChecked();
    if (!mayOverwrite())
        return;
    stampBeforeSave_ = tintora::stampOfFile(localPath(formulaPath_));
    const tintora::Result<tintora::FileStamp> written
        = tintora::saveFormulaProperties(localPath(formulaPath_), opened_, {shownProperties(), protect});
    if (!written) {
        prompter_->error(written.problem());
        return;
    }
    stampAfterSave_ = written.value();
    savedProtection_ = protect;
    accept();
}
