#pragma once
// Where is a material used? Every formula of a folder that holds it, with the
// row, the weight and the percent by weight as the window would show them on
// opening that formula.
#include "core/formulas/FormulaFile.h"
#include "core/text/IniFile.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tintora {

class MaterialFiles;

enum class WhereUsedMatch {
    // the material code, without regard to ASCII letter case, as codes name files
    Code,
    // the code, or words that all occur in the material's name (any case)
    CodeOrNameWords,
};

struct WhereUsedQuery {
    std::string text;  // blanks around it do not count
    WhereUsedMatch match = WhereUsedMatch::CodeOrNameWords;
};

// One row of one formula that uses the material.
struct WhereUsedHit {
    std::filesystem::path file;
    std::string formulaName;
    int row = 0;  // 1 ... SheetRowCount
    std::string code;  // as the formula spells it
    // As the Weight and W% cells show them once the formula is opened (three
    // decimals; 0 for an empty cell).
    double weight = 0;
    double percentByWeight = 0;
    // Whether the Weight cell shows a number: an empty or unreadable weight
    // leaves the cell, and so the window's list, empty.
    bool weighed = true;
};

// Rows of one formula, read with readFormulaFile, that use the material, in
// row order. Only material rows count: a note that reads like a code is no
// use of it, while a row whose material file is missing still matches by its
// code. The material names are read only for a name search, from materials
// (null: codes only).
std::vector<WhereUsedHit> whereUsedIn(const IniFile& formula, const WhereUsedQuery& query,
    const MaterialFiles* materials, const std::filesystem::path& file = {});

// What a search tells as it goes. Both are called on the searching thread.
struct WhereUsedSink {
    std::function<void(const WhereUsedHit&)> found;
    // A file that is no formula or cannot be read (formulaFileProblem says why).
    std::function<void(const std::filesystem::path&, FormulaFileState)> unreadable;
};

struct WhereUsedSummary {
    int formulasRead = 0;
    int unreadable = 0;
    int hits = 0;
    bool stopped = false;
};

// The formula files (*.tfx, the extension in any case) of a folder in name
// order: every entry with that name, so that one that is not a regular file
// is told as unreadable rather than skipped silently.
std::vector<std::filesystem::path> formulaFilesIn(const std::filesystem::path& formulaFolder);

// Searches every formula file of formulaFolder in name order, each read as
// opening reads it (a huge or odd file costs bounded time and is told as
// unreadable), telling each hit as soon as its file is read. Setting stop
// (from any thread) ends the search after the file being read. Material names
// come from materialFolder, each material file read at most once.
WhereUsedSummary findWhereUsed(const std::filesystem::path& formulaFolder, const std::filesystem::path& materialFolder,
    const WhereUsedQuery& query, const WhereUsedSink& sink, const std::atomic<bool>* stop = nullptr);

}  // namespace tintora
