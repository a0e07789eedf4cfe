#include "ui/materials/TfrmMaterial.h"

#include "core/materials/MaterialWrite.h"
#include "core/sheet/DiskChanges.h"
#include "core/text/NumberText.h"
#include "ui/widgets/DecimalSign.h"
#include "ui/widgets/FormulaGridLayout.h"
#include "ui/widgets/LocalPath.h"
#include "ui/widgets/TExplorerButton.h"
#include "ui/widgets/TFnpNumericEdit.h"
#include "ui/widgets/TSuperGrid.h"

#include <QAbstractListModel>
#include <QFile>
#include <QFileIconProvider>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QShowEvent>
#include <QValidator>

#include <array>

namespace {

using tintora::ListedFile;
using tintora::RowMaterialProps;

constexpr int ItemHeight = 16;
// Three columns of names fit in the list; longer names are cut with "...".
constexpr int ItemWidth = 133;

struct PropertyBoxDefinition {
    const char* label;
    const char* name;
    int left;
    int top;
    const char* key;
    double RowMaterialProps::*field;
};

// In tab order within the Properties frame.
constexpr std::array<PropertyBoxDefinition, 8> PropertyBoxes = {{
    {"Cost_Wt", "CostBox", 27, 40, "Cost", &RowMaterialProps::Cost},
    {"SPG", "SPGBox", 27, 84, "Spec", &RowMaterialProps::Spec},
    {"Pig_Wt", "Pig_WtBox", 119, 40, "Pig_Wt", &RowMaterialProps::Pig_Wt},
    {"Pig_Vol", "Pig_VolBox", 119, 84, "Pig_Vol", &RowMaterialProps::Pig_Vol},
    {"Vol_Wt", "Vol_WtBox", 211, 40, "Vol_Wt", &RowMaterialProps::Vol_Wt},
    {"Vol_Vol", "Vol_VolBox", 211, 84, "Vol_Vol", &RowMaterialProps::Vol_Vol},
    {"Voc_Wt", "Voc_WtBox", 303, 40, "Voc_Wt", &RowMaterialProps::Voc_Wt},
    {"Voc_Vol", "Voc_VolBox", 303, 84, "Voc_Vol", &RowMaterialProps::Voc_Vol},
}};

// Keys a material may leave out: an empty box is no value, and Save writes
// none, never a 0 (an oil absorption of 0 would pass for a figure). Each box
// follows the box of `after` in the tab order.
struct OptionalBoxDefinition {
    const char* label;
    const char* name;
    int left;
    int top;
    const char* key;
    std::optional<double> RowMaterialProps::*field;
    const char* after;
    const char* hint;
};

constexpr std::array<OptionalBoxDefinition, 2> OptionalBoxes = {{
    {"Oil absorption", "Oil_AbsBox", 119, 128, "Oil_Abs", &RowMaterialProps::Oil_Abs, "Pig_Vol",
        "g of linseed oil per 100 g of the pigment part; empty when not known"},
    {"EU VOC (wt)", "EUVoc_WtBox", 303, 128, "EUVoc_Wt", &RowMaterialProps::EUVoc_Wt, "Voc_Vol",
        "The weight fraction that is VOC by the EU's definition, where it differs from Voc_Wt; empty when the same"},
}};

// What may be typed into an optional box: nothing, or a number with the
// point (or the comma of a decimal-comma locale).
class OptionalNumberInput : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        static const QRegularExpression number(QStringLiteral("^-?[0-9]*\\.?[0-9]*$"));
        input = typedInNumber(input);
        return number.match(input).hasMatch() ? Acceptable : Invalid;
    }
};

QString optionalText(const std::optional<double>& value)
{
    return value ? formatNumericValue(*value, 3, u'.') : QString();
}

QString lowerAscii(const QString& text)
{
    return QString::fromStdString(tintora::asciiLower(text.toStdString()));
}

// Forces what is typed or pasted into the file name box to lower case.
class LowerCaseInput : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = lowerAscii(input);
        return Acceptable;
    }
};

QLabel* label(QWidget* parent, const QString& text, int left, int top, const char* name = nullptr)
{
    auto* l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    l->move(left, top);
    l->adjustSize();
    return l;
}

TExplorerButton* flatButton(QWidget* parent, const char* name, const char* caption, const QIcon& glyph, int left)
{
    auto* b = new TExplorerButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setCaption(QString::fromLatin1(caption));
    b->setBitmap(glyph.pixmap(QSize(16, 16)).toImage());
    b->setLayout(TButtonLayout::GlyphLeft);
    b->setOptions(TButtonOption::boMonoDisplay | TButtonOption::boShowBevel);
    b->setGeometry(left, 8, 76, 23);
    return b;
}

}  // namespace

// The names of the material folder for the list view. Only the rows in sight
// are asked for, so a folder of tens of thousands of files lists at once.
class MaterialListModel : public QAbstractListModel {
public:
    explicit MaterialListModel(QObject* parent)
        : QAbstractListModel(parent)
    {
        const QFileIconProvider icons;
        fileIcon_ = QIcon::fromTheme(QStringLiteral("text-x-generic"), icons.icon(QAbstractFileIconProvider::File));
        folderIcon_ = icons.icon(QAbstractFileIconProvider::Folder);
    }

    const std::vector<ListedFile>& files() const { return files_; }

    void setFiles(std::vector<ListedFile> files)
    {
        beginResetModel();
        files_ = std::move(files);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(files_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount())
            return {};
        const ListedFile& file = files_[static_cast<std::size_t>(index.row())];
        switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return QString::fromStdString(file.caption);
        case Qt::DecorationRole:
            return file.folder ? folderIcon_ : fileIcon_;
        default:
            return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
    }

private:
    std::vector<ListedFile> files_;
    QIcon fileIcon_;
    QIcon folderIcon_;
};

TfrmMaterial::TfrmMaterial(QWidget* mainWindow, const Glyphs& glyphs, tintora::Prompter& prompter)
    : QDialog(mainWindow,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
            | Qt::MSWindowsFixedSizeDialogHint)
    , prompter_(prompter)
{
    setObjectName(QStringLiteral("frmMaterial"));
    setWindowTitle(QStringLiteral("Edit Materials"));
    // The help file has no topic number for the editor: its anchor.
    setProperty("HelpContext", QStringLiteral("editor"));
    setModal(true);
    setFixedSize(422, 418);
    setFont(smallSansFont());
    createControls(glyphs);

    connect(FileBox_, &QLineEdit::textChanged, this, &TfrmMaterial::FileBoxChange);
    connect(File32List_, &QListView::clicked, this, &TfrmMaterial::File32ListClick);
    connect(File32List_->selectionModel(), &QItemSelectionModel::currentChanged, this, &TfrmMaterial::File32ListChange);
    connect(
        File32List_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TfrmMaterial::File32ListChange);
    connect(btnClose_, &QPushButton::clicked, this, &TfrmMaterial::btnCloseClick);
    connect(New1_, &TExplorerButton::OnClick, this, &TfrmMaterial::New1Click);
    connect(Save1_, &TExplorerButton::OnClick, this, &TfrmMaterial::Save1Click);
    connect(Delete1_, &TExplorerButton::OnClick, this, &TfrmMaterial::Delete1Click);
    keepShownValues();
}

TfrmMaterial::~TfrmMaterial() = default;

int TfrmMaterial::Execute(const QString& materialFolder, const std::string& currentCode)
{
    MaterialFolder_ = materialFolder;
    currentCode_ = currentCode;
    return exec();
}

void TfrmMaterial::createControls(const Glyphs& glyphs)
{
    New1_ = flatButton(this, "New1", "New", glyphs.New, 183);
    Save1_ = flatButton(this, "Save1", "Save", glyphs.Save, 258);
    Delete1_ = flatButton(this, "Delete1", "Delete", glyphs.Delete, 333);

    File32List_ = new QListView(this);
    File32List_->setObjectName(QStringLiteral("File32List"));
    model_ = new MaterialListModel(File32List_);
    File32List_->setModel(model_);
    File32List_->setGeometry(10, 40, 403, 133);
    // Names run down in columns and the list scrolls sideways; one item size
    // for all keeps the layout arithmetic, however many files there are.
    File32List_->setViewMode(QListView::ListMode);
    File32List_->setFlow(QListView::TopToBottom);
    File32List_->setWrapping(true);
    File32List_->setMovement(QListView::Static);
    File32List_->setUniformItemSizes(true);
    File32List_->setGridSize(QSize(ItemWidth, ItemHeight));
    File32List_->setIconSize(QSize(16, 16));
    File32List_->setTextElideMode(Qt::ElideRight);
    File32List_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    File32List_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    File32List_->setSelectionMode(QAbstractItemView::SingleSelection);
    label(this, QStringLiteral("&Materials:"), 12, 20, "Label11")->setBuddy(File32List_);

    // The pattern shows only as a hint: as text it would be offered as the
    // name to save under, and make a file that lists as the code "*".
    FileBox_ = new QLineEdit(this);
    FileBox_->setPlaceholderText(QStringLiteral("*.rm"));
    FileBox_->setObjectName(QStringLiteral("FileBox"));
    FileBox_->setGeometry(84, 184, 229, 21);
    FileBox_->setValidator(new LowerCaseInput(FileBox_));
    label(this, QStringLiteral("File &name:"), 12, 188, "Label1")->setBuddy(FileBox_);

    btnClose_ = new QPushButton(QStringLiteral("Close"), this);
    btnClose_->setObjectName(QStringLiteral("btnClose"));
    btnClose_->setGeometry(337, 182, 75, 23);
    // Not a default button: Enter in a box does not close the dialog.
    btnClose_->setAutoDefault(false);

    NameBox_ = new QLineEdit(this);
    NameBox_->setObjectName(QStringLiteral("NameBox"));
    NameBox_->setGeometry(84, 214, 229, 21);
    label(this, QStringLiteral("Desc&ription:"), 12, 216, "Label3")->setBuddy(NameBox_);

    createPropertyBoxes();
    setTabOrders();
    File32List_->setFocus();
}

void TfrmMaterial::createPropertyBoxes()
{
    auto* group = new QGroupBox(QStringLiteral("Properties"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setGeometry(9, 244, 404, 165);
    for (const PropertyBoxDefinition& d : PropertyBoxes) {
        auto* box = new TFnpNumericEdit(group);
        box->setObjectName(QString::fromLatin1(d.name));
        box->setDecimals(3);
        box->setValue(0);
        box->setGeometry(d.left, d.top, 73, 21);
        label(group, QString::fromLatin1(d.label), d.left, d.top - 16);
        boxes_.push_back(box);
    }
    for (const OptionalBoxDefinition& d : OptionalBoxes) {
        auto* box = new QLineEdit(group);
        box->setObjectName(QString::fromLatin1(d.name));
        box->setValidator(new OptionalNumberInput(box));
        box->setAlignment(Qt::AlignRight);
        box->setGeometry(d.left, d.top, 73, 21);
        box->setToolTip(QString::fromUtf8(d.hint));
        label(group, QString::fromLatin1(d.label), d.left, d.top - 16)->setBuddy(box);
        optionalBoxes_.push_back(box);
    }
}

void TfrmMaterial::setTabOrders()
{
    QWidget* previous = File32List_;
    for (QWidget* next : std::initializer_list<QWidget*>{FileBox_, NameBox_}) {
        setTabOrder(previous, next);
        previous = next;
    }
    for (std::size_t i = 0; i < PropertyBoxes.size(); ++i) {
        setTabOrder(previous, boxes_[i]);
        previous = boxes_[i];
        for (std::size_t o = 0; o < OptionalBoxes.size(); ++o)
            if (std::string_view(OptionalBoxes[o].after) == PropertyBoxes[i].key) {
                setTabOrder(previous, optionalBoxes_[o]);
                previous = optionalBoxes_[o];
            }
    }
    setTabOrder(previous, btnClose_);
}

TFnpNumericEdit* TfrmMaterial::boxFor(const char* key) const
{
    for (std::size_t i = 0; i < PropertyBoxes.size(); ++i)
        if (std::string_view(PropertyBoxes[i].key) == key)
            return boxes_[i];
    return nullptr;
}

QLineEdit* TfrmMaterial::optionalBoxFor(const char* key) const
{
    for (std::size_t i = 0; i < OptionalBoxes.size(); ++i)
        if (std::string_view(OptionalBoxes[i].key) == key)
            return optionalBoxes_[i];
    return nullptr;
}

const std::vector<ListedFile>& TfrmMaterial::listedFiles() const
{
    return model_->files();
}

void TfrmMaterial::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TfrmMaterial::FormShow()
{
    const QRect frame = frameGeometry();
    const QWidget& mainWindow = *parentWidget();
    const QRect screen = mainWindow.screen()->geometry();
    const auto at = tintora::materialEditorPosition({mainWindow.x(), mainWindow.y()}, frame.width(), frame.height(),
        {screen.x(), screen.y(), screen.width(), screen.height()});
    move(at.x, at.y);

    // The folder is listed once per opening, so files added or removed since
    // show; what interrupted saves left there goes first.
    tintora::removeStaleTemporaries(localPath(MaterialFolder_));
    model_->setFiles(tintora::listMaterialFolder(localPath(MaterialFolder_)));
    chosenItem_.reset();
    shownItem_.reset();
    File32List_->setFocus();

    const auto start = tintora::startItem(listedFiles(), currentCode_);
    if (!start)
        return;  // the boxes keep what they showed when the dialog last closed
    const QModelIndex index = model_->index(static_cast<int>(*start));
    File32List_->setCurrentIndex(index);  // selects it, which loads it
    File32List_->scrollTo(index);
    setFileBoxText(index.data().toString());
}

void TfrmMaterial::setFileBoxText(const QString& text)
{
    FileBox_->setText(lowerAscii(text));
}

void TfrmMaterial::FileBoxChange()
{
    const auto item = tintora::itemForFileBox(listedFiles(), FileBox_->text().toStdString(), chosenItem_);
    if (!item)
        return;
    File32List_->scrollTo(model_->index(static_cast<int>(*item)));
    GetNumbers(*item);
}

void TfrmMaterial::File32ListClick()
{
    File32ListChange();
}

void TfrmMaterial::File32ListChange()
{
    const QModelIndexList selected = File32List_->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return;
    const auto item = static_cast<std::size_t>(selected.first().row());
    chosenItem_ = item;
    const QString before = FileBox_->text();
    setFileBoxText(selected.first().data().toString());
    // An unchanged text raises no change; a different item of the same
    // lower-case name, or values not read since the list was filled, still load.
    if (FileBox_->text() == before && shownItem_ != item)
        FileBoxChange();
}

void TfrmMaterial::GetNumbers(std::size_t item)
{
    shownFile_ = localPath(MaterialFolder_) / std::filesystem::path(listedFiles()[item].name);
    shownStamp_ = tintora::stampOfFile(shownFile_);  // before reading: a change in between shows at Save
    const auto view = tintora::readMaterialView(localPath(MaterialFolder_), listedFiles()[item].name);
    NameBox_->setText(QString::fromStdString(view.name));
    for (std::size_t i = 0; i < PropertyBoxes.size(); ++i)
        boxes_[i]->setValue(view.props.*PropertyBoxes[i].field);
    for (std::size_t i = 0; i < OptionalBoxes.size(); ++i)
        optionalBoxes_[i]->setText(optionalText(view.props.*OptionalBoxes[i].field));
    shownItem_ = item;
    keepShownValues();
}

void TfrmMaterial::btnCloseClick()
{
    done(QDialog::Accepted);
}

// --- New, Save, Delete -----------------------------------------------------------

QStringList TfrmMaterial::shownTexts() const
{
    QStringList texts{NameBox_->text()};
    for (const TFnpNumericEdit* box : boxes_)
        texts << box->text();
    for (const QLineEdit* box : optionalBoxes_)
        texts << box->text();
    return texts;
}

void TfrmMaterial::keepShownValues()
{
    kept_ = shownTexts();
}

tintora::Result<tintora::Material> TfrmMaterial::shownMaterial() const
{
    tintora::Material material;
    material.Name = NameBox_->text().toStdString();
    for (std::size_t i = 0; i < PropertyBoxes.size(); ++i) {
        const std::optional<double> value = boxes_[i]->Value();
        if (!value)
            return tintora::Failure((boxes_[i]->conversionError() + QLatin1Char('.')).toStdString());
        material.props.*PropertyBoxes[i].field = *value;
    }
    for (std::size_t i = 0; i < OptionalBoxes.size(); ++i) {
        const QString typed = optionalBoxes_[i]->text().trimmed();
        if (typed.isEmpty())
            continue;  // absent
        const std::optional<double> value = parseNumericValue(typed, u'.');
        if (!value)
            return tintora::Failure(
                QStringLiteral("'%1' is not a valid floating point value.").arg(typed).toStdString());
        material.props.*OptionalBoxes[i].field = *value;
    }
    return material;
}

void TfrmMaterial::ClearNumbers()
{
    NameBox_->clear();
    for (TFnpNumericEdit* box : boxes_)
        box->setValue(0);
    for (QLineEdit* box : optionalBoxes_)
        box->clear();
}

tintora::Result<tintora::FileStamp> TfrmMaterial::SetNumbers(const tintora::Material& material) const
{
    return tintora::SetNumbers(localPath(MaterialFolder_), localFileName(FileBox_->text()), material);
}

void TfrmMaterial::New1Click()
{
    File32List_->clearSelection();
    chosenItem_.reset();
    shownItem_.reset();
    FileBox_->clear();
    ClearNumbers();
    keepShownValues();
    FileBox_->setFocus();
}

bool TfrmMaterial::mayOverwrite(const std::filesystem::path& file)
{
    std::error_code error;
    if (shownFile_.empty() || !std::filesystem::equivalent(file, shownFile_, error))
        return true;
    switch (tintora::askBeforeOverwriting(prompter_, file, shownStamp_)) {
    case tintora::Prompter::DiskChangeAnswer::Overwrite:
        return true;
    case tintora::Prompter::DiskChangeAnswer::Reload:
        if (shownItem_)
            GetNumbers(*shownItem_);
        return false;
    case tintora::Prompter::DiskChangeAnswer::Cancel:
        break;
    }
    return false;
}

bool TfrmMaterial::Save1Click()
{
    const tintora::Result<tintora::Material> material = shownMaterial();
    if (!material) {
        prompter_.reportError(material.problem());
        return false;
    }
    const auto target = tintora::materialFileFor(localPath(MaterialFolder_), localFileName(FileBox_->text()));
    if (target.ok() && !mayOverwrite(target.value()))
        return false;
    const tintora::Result<tintora::FileStamp> written = SetNumbers(material.value());
    if (!written) {
        prompter_.error(written.problem());
        return false;
    }
    const auto file = tintora::materialFileFor(localPath(MaterialFolder_), localFileName(FileBox_->text())).value();
    listFolderAndSelect(fromLocalPath(file.filename()));
    keepShownValues();
    return true;
}

void TfrmMaterial::Delete1Click()
{
    const std::string typed = localFileName(FileBox_->text());
    const tintora::Result<std::filesystem::path> choice = tintora::materialToDelete(localPath(MaterialFolder_), typed);
    if (!choice) {
        prompter_.error(choice.problem());
        return;
    }
    if (!prompter_.confirm(tintora::deleteQuestion(choice.value().filename().string())))
        return;
    if (const tintora::Result<> removed = tintora::deleteMaterialFile(localPath(MaterialFolder_), typed); !removed) {
        prompter_.error(removed.problem());
        return;
    }
    listFolderAndSelect({});
    New1Click();
}

void TfrmMaterial::listFolderAndSelect(const QString& fileName)
{
    model_->setFiles(tintora::listMaterialFolder(localPath(MaterialFolder_)));
    chosenItem_.reset();
    shownItem_.reset();
    const auto item = tintora::findListItem(listedFiles(), fileName.toStdString());
    if (!item)
        return;
    const QModelIndex index = model_->index(static_cast<int>(*item));
    // Selecting the saved file reads back what was written.
    File32List_->setCurrentIndex(index);
    File32List_->scrollTo(index);
    setFileBoxText(index.data().toString());
}

void TfrmMaterial::done(int result)
{
    if (shownTexts() != kept_) {
        const QString file = FileBox_->text();
        const std::string name = file.isEmpty() ? std::string("the new material") : file.toStdString();
        switch (prompter_.askYesNoCancel("Save changes to " + name + "?")) {
        case tintora::Prompter::Answer::Yes:
            if (!Save1Click())
                return;
            break;
        case tintora::Prompter::Answer::No:
            // Not stored; an opening on an empty row still shows them, as
            // every opening shows what the last one left.
            keepShownValues();
            break;
        case tintora::Prompter::Answer::Cancel:
            return;
        }
    }
    QDialog::done(result);
}
