#pragma once
// Writing formula files: the sheet's written form (section [Formula], the
// inverse of FormulaLoad) and the formula properties (sections [Properties],
// [Memo] and [Spec], the inverse of readFormulaProperties). Each save is one
// safe replacement of the file that keeps every byte it does not change.
#include "core/formulas/FormulaProperties.h"
#include "core/sheet/FormulaSheet.h"
#include "core/text/IniFile.h"
#include "core/text/SafeWrite.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintora {

enum class WrittenRowKind { Empty, Material, Note };

// What a file keeps of one row: a material row, and a row holding a code that
// names no file, keep the code and the weight text; a note row its note. A
// row holding a code that names no file beside a note (other than
// MaterialNotFound) keeps that note too, under RowNoteKey.
struct WrittenRow {
    WrittenRowKind kind = WrittenRowKind::Empty;
    std::string text;  // the code, or the note
    std::string weight;  // material rows: the weight cell without its alignment blanks
    std::string note;  // material rows without a material: the note beside the code
    bool operator==(const WrittenRow&) const = default;
};

// Everything a formula file keeps of the sheet. Two sheets with the same
// written form give the same file, so this is what a save can lose.
struct FormulaWrittenForm {
    std::string name;
    ComplianceChoice compliance;
    std::array<WrittenRow, SheetRowCount> rows;
    bool operator==(const FormulaWrittenForm&) const = default;
};

FormulaWrittenForm writtenFormOf(const FormulaSheet& sheet);

// The changes that put the written form into section [Formula]: Name, and per
// row rType/Material/Weight and the note beside a code; the keys a row does
// not use removed.
std::vector<IniChange> formulaChanges(const FormulaWrittenForm& form);

// Why the written form cannot be saved so that it reads back the same ("the
// note in row 5 holds a line break"); nullopt when it can.
std::optional<std::string> formulaSaveProblem(const FormulaWrittenForm& form);

// Saves the sheet into target, keeping the rest of the file. With source,
// the other sections come from that file instead (Save As of a titled
// formula), and a copy of a protected formula is written unprotected.
// moreChanges go into the same write (the last optimisation's settings).
Result<FileStamp> FormulaSave(const FormulaSheet& sheet, const std::filesystem::path& target,
    const std::optional<std::filesystem::path>& source = std::nullopt, const std::vector<IniChange>& moreChanges = {});

// AskSave: there is something to lose when the written form differs from the
// one last loaded or saved; a recalculation or a percent flip changes nothing.
inline bool hasUnsavedChanges(const FormulaSheet& sheet, const FormulaWrittenForm& lastKept)
{
    return writtenFormOf(sheet) != lastKept;
}

// "Save changes to primer.tfx?", or "Save changes to the new formula?" when untitled.
std::string askSaveQuestion(std::string_view formulaPath);

// The properties the dialog shows, and the protection flag.
struct PropertiesChoice {
    FormulaProperties properties;
    bool formulaProtected = false;
};

// Writes what differs between what the dialog showed when it opened and what
// it shows at OK: the protection, the revision date (removed when there is
// none), the notes and the test specs (each with its first sub-item as
// determined value) with their counts; numbered keys beyond a changed count
// are removed. A key that already holds the value is not written again, and
// when nothing differs the file is not touched and its present stamp comes back.
Result<FileStamp> saveFormulaProperties(
    const std::filesystem::path& formulaPath, const PropertiesChoice& opened, const PropertiesChoice& chosen);

}  // namespace tintora
