#pragma once
// Formula files (INI text, extension "tfx") and reading one into the sheet.
#include "core/Version.h"
#include "core/sheet/FormulaSheet.h"
#include "core/text/IniFile.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace tintora {

class MaterialFiles;

constexpr const char* ProductTitle = "Tintora";
constexpr const char* ProductShortName = "Korvel";
constexpr const char* FormulaExt = "tfx";
constexpr const char* MaterialNotFound = "Material not found";

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

// A formula is a few kilobytes; a larger file than this is no formula (and
// an empty sheet when loaded by name).
constexpr std::size_t MaxFormulaFileBytes = MaxIniFileBytes;

// What a path turned out to be when it was to be opened as a formula.
enum class FormulaFileState {
    Formula,
    Missing,
    // a folder, a device, or a file the user may not read
    Unreadable,
    // read, but without a [Formula] section: empty, a picture, another INI
    // file; or larger than MaxFormulaFileBytes
    NoFormulaSection,
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

// The error text for a file that could not be opened, naming it (UTF-8);
// empty for a formula.
std::string formulaFileProblem(FormulaFileState state, std::string_view shownPath);

// The file a recent-files entry names: an entry with a folder as it stands;
// a bare file name, as earlier versions stored, in formulaFolder.
std::string recentFilePath(std::string_view entry, std::string_view formulaFolder);

}  // namespace tintora
