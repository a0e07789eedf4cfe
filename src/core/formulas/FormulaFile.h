#pragma once
// Formula files (INI text, extension "tfx") and reading one into the sheet.
#include "core/Version.h"
#include "core/sheet/FormulaSheet.h"
#include "core/text/IniFile.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tintora {

class MaterialFiles;

constexpr const char* ProductTitle = "Tintora";
constexpr const char* ProductShortName = "Korvel";
constexpr const char* FormulaExt = "tfx";
constexpr const char* MaterialNotFound = "Material not found";
// The key of a note kept beside a code that names no material file (the row
// a code typed or pasted on a note row makes): the row is stored as a
// material row, so a reader that does not know this key shows it as a missing
// material with its code and weight; this one shows the note instead of
// MaterialNotFound.
constexpr const char* RowNoteKey = "Note";

// The part of a path after its last "/" (the whole text when there is none).
std::string fileNameOf(std::string_view path);

// The file name as text to show: a name that is not UTF-8 was written on
// Windows and reads as Windows-1252, as the files' contents do.
std::string shownFileName(std::string_view path);

// "Tintora 2.31 - [primer.tfx]", or "Tintora 2.31 - []" when untitled; the
// file name as shownFileName gives it.
std::string TitleText(std::string_view formulaPath);

// Reads the formula named by formulaPath into the sheet, loads every row's
// material from materialFolder and recalculates. An empty path names no file
// and does not clear the sheet first. Returns the formula's Protect flag
// (FormulaProtected). The caller makes row 1, column Material the current cell.
bool FormulaLoad(FormulaSheet& sheet, const std::string& formulaPath, const std::filesystem::path& materialFolder);
// The same for a formula file already read (readFormulaFile): the sheet is
// cleared first, as for a named file.
bool FormulaLoad(FormulaSheet& sheet, const IniFile& formula, const std::filesystem::path& materialFolder);
// The same with one material lookup for many formulas read in one operation
// (a report over a family of formulas), so that each material file is read
// once for all of them.
bool FormulaLoad(FormulaSheet& sheet, const IniFile& formula, const MaterialFiles& materials);

// The rows (1 ... SheetRowCount) of material rows whose stored weight
// FormulaLoad cannot read: a value that is not a number by the number rule,
// or one beyond RowWeightLimit. Such a weight loads as none, and a save would
// write it so; an empty value is no weight and not counted.
std::vector<int> unreadWeightRows(const IniFile& formula);

// The one message that names those rows when a formula is opened; empty
// when there are none.
std::string unreadWeightsNotice(const std::vector<int>& rows);
// Row n (1 ... SheetRowCount) of a formula file as opening reads it, before
// any material is looked up.
struct FormulaFileRow {
    bool materialRow = true;  // rType n, any value but 0
    std::string text;  // Material n: the code of a material row, the note of a note row
    // Weight n of a material row as it goes into the Weight cell: empty when
    // beyond the row limit (it counts as none); empty for a note row.
    std::string weight;
    // The pounds the row adds to the total weight: a material row with an
    // empty code is emptied when loaded, a missing material's weight counts.
    double weightCounted() const;
};
FormulaFileRow readFormulaRow(const IniFile& formula, int n);
std::string readFormulaName(const IniFile& formula);

// A formula is a few kilobytes; a larger file than this is no formula (and
// an empty sheet when loaded by name).
constexpr std::size_t MaxFormulaFileBytes = MaxIniFileBytes;

// The sections of a formula file that the program reads; a file may hold any
// others, which are carried along when it is saved.
const IniSectionNames& formulaSections();

// The product's kind and VOC category: keys Category and Type.
constexpr const char* ComplianceSection = "Compliance";

// What a path turned out to be when it was to be opened as a formula.
enum class FormulaFileState {
    Formula,
    Missing,
    // a folder, a device
    Unreadable,
    // a file the user may not read
    PermissionDenied,
    // read, but without a [Formula] section: empty, another INI file
    NoFormulaSection,
    // larger than MaxFormulaFileBytes
    TooLarge,
    // more than MaxIniEntries sections and keys in the formula's own sections
    TooManyEntries,
    // not text: a picture, UTF-16 without its byte-order mark
    NotText,
};

// A file read once for opening: its contents are only worth loading when
// state is Formula.
struct FormulaFileRead {
    FormulaFileState state = FormulaFileState::Missing;
    IniFile contents;
};

// Opening a file must tell a formula from anything else, so that a file that
// is none is refused instead of shown as an empty formula under its name.
FormulaFileRead readFormulaFile(const std::filesystem::path& path);

// Whether the file is a formula marked protected, which no save overwrites.
bool isProtectedFormula(const std::filesystem::path& path);

// The error text for a file that could not be opened, naming it (UTF-8);
// empty for a formula.
std::string formulaFileProblem(FormulaFileState state, std::string_view shownPath);
// Why it could not be opened, the end of that text: "it is not a formula file.".
std::string formulaFileReason(FormulaFileState state);

// The file a recent-files entry names: an entry with a folder as it stands;
// a bare file name, as earlier versions stored, in formulaFolder.
std::string recentFilePath(std::string_view entry, std::string_view formulaFolder);

}  // namespace tintora
