// Hostile formula and material files (tests/data/hostile, the large and odd
// ones laid out by its generate.sh before this program runs): each opens and
// loads as the program would, within the test's time limit, to a sane sheet,
// and nothing outside the material folder is read.
#include "core/calc/PanelCalculate.h"
#include "core/formulas/FormulaFile.h"
#include "core/formulas/FormulaProperties.h"
#include "core/formulas/WhereUsed.h"
#include "core/sheet/Quantities.h"
#include "core/text/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace tintora;
namespace fs = std::filesystem;

namespace {

const fs::path hostile = TINTORA_HOSTILE_FILES;

struct Loaded {
    FormulaFileState state;
    FormulaSheet sheet;
};

// As Open does it, and as Reload does it for whatever the path holds.
Loaded openAndLoad(const fs::path& formula, const fs::path& materials)
{
    Loaded loaded;
    FormulaFileRead read = readFormulaFile(formula);
    loaded.state = read.state;
    if (read.state == FormulaFileState::Formula)
        FormulaLoad(loaded.sheet, read.contents, materials);
    FormulaSheet reloaded;
    FormulaLoad(reloaded, formula.string(), materials);
    for (int n = 1; n <= SheetRowCount; ++n)
        EXPECT_EQ(reloaded.row(n).cells, loaded.sheet.row(n).cells) << formula << " row " << n;
    (void)readFormulaProperties(formula);
    return loaded;
}

void expectSane(const FormulaSheet& sheet, const std::string& what)
{
    for (int b = 0; b < PropertyBoxCount; ++b)
        EXPECT_TRUE(std::isfinite(sheet.box(PropertyBox(b)))) << what;
    for (int n = 1; n <= SheetRowCount; ++n) {
        EXPECT_LE(std::abs(numberFromText(sheet.cell(Column::Weight, n))), RowWeightLimit) << what << " row " << n;
        // The material outside the folder is named "secret": no description may show it.
        EXPECT_EQ(asciiLower(sheet.cell(Column::Description, n)).find("secret"), std::string::npos) << what << n;
    }
}

TEST(HostileFilesTest, EveryFileLoadsToASaneSheet)
{
    ASSERT_TRUE(fs::is_directory(hostile / "formulas")) << "run tests/data/hostile/generate.sh first";
    int files = 0;
    for (const auto& entry : fs::directory_iterator(hostile / "formulas")) {
        for (const char* materials : {"materials", "linked"}) {
            const Loaded loaded = openAndLoad(entry.path(), hostile / materials);
            expectSane(loaded.sheet, entry.path().filename().string() + " with " + materials);
        }
        ++files;
    }
    EXPECT_GE(files, 11);
}

TEST(HostileFilesTest, FilesBeyondEveryLimitAreNoFormulas)
{
    // A formula followed by 10^5 sections of something else is a formula: the
    // limit is on what is kept.
    const std::map<std::string, FormulaFileState> states = {
        {"long-line.tfx", FormulaFileState::TooLarge},
        {"million-keys.tfx", FormulaFileState::TooLarge},
        {"sections.tfx", FormulaFileState::Formula},
        {"fifo.tfx", FormulaFileState::Unreadable},
        {"dir.tfx", FormulaFileState::Unreadable},
    };
    for (const auto& [name, state] : states)
        EXPECT_EQ(readFormulaFile(hostile / "formulas" / name).state, state) << name;
}

TEST(HostileFilesTest, WhatIsNoMaterialFileIsAMissingMaterial)
{
    const Loaded loaded = openAndLoad(hostile / "formulas" / "huge-materials.tfx", hostile / "materials");
    ASSERT_EQ(loaded.state, FormulaFileState::Formula);
    for (int n = 1; n <= 15; ++n)  // a 64 MB file, a pipe, a folder, a device
        EXPECT_EQ(loaded.sheet.cell(Column::Description, n), MaterialNotFound) << n;
    EXPECT_EQ(loaded.sheet.cell(Column::Description, 16), "Water");
    EXPECT_EQ(loaded.sheet.cell(Column::Volume, 16), "   1.000");
}

TEST(HostileFilesTest, CodesThatLeaveTheFolderFindNothing)
{
    for (const char* materials : {"materials", "linked"}) {
        const Loaded loaded = openAndLoad(hostile / "formulas" / "escapes.tfx", hostile / materials);
        for (int n = 1; n <= 7; ++n) {
            EXPECT_FALSE(loaded.sheet.cell(Column::Material, n).empty());
            EXPECT_EQ(loaded.sheet.cell(Column::Description, n), MaterialNotFound) << n;
        }
    }
}

TEST(HostileFilesTest, WindowsNamesFindWindowsFileNames)
{
    const Loaded loaded = openAndLoad(hostile / "formulas" / "windows-names.tfx", hostile / "linked");
    EXPECT_EQ(loaded.sheet.name(), "\xC3\x89tain \xC3\xA0 la r\xC3\xA9sine");
    EXPECT_EQ(loaded.sheet.cell(Column::Description, 1), "\xC3\xA9tain");
    EXPECT_EQ(loaded.sheet.cell(Column::Description, 2), "\xC3\xA9tain");
    EXPECT_EQ(loaded.sheet.cell(Column::Weight, 2), "");  // 1e308 is no weight a row can hold
    EXPECT_EQ(loaded.sheet.box(PropertyBox::WeightBox), 73);
}

TEST(HostileFilesTest, OverflowingFiguresCountAsNone)
{
    const Loaded loaded = openAndLoad(hostile / "formulas" / "overflow.tfx", hostile / "materials");
    EXPECT_EQ(loaded.sheet.box(PropertyBox::WeightBox), 5);
    const FormulaProperties properties = readFormulaProperties(hostile / "formulas" / "overflow.tfx");
    EXPECT_EQ(properties.notes.size(), std::size_t(MaxPropertyLines));
    EXPECT_TRUE(properties.testSpecs.empty());
}

// A search of the folder, by name words so that every code is looked up among
// the hostile materials too: what is no formula is told, the rest searched.
TEST(HostileFilesTest, WhereUsedTellsWhatIsNoFormulaAndSearchesTheRest)
{
    std::set<std::string> unreadable;
    std::vector<std::string> hits;
    WhereUsedSink sink;
    sink.found = [&](const WhereUsedHit& hit) {
        hits.push_back(hit.file.filename().string() + ":" + std::to_string(hit.row) + " "
            + formatThreeDecimals(hit.weight) + " " + formatThreeDecimals(hit.percentByWeight));
    };
    sink.unreadable = [&](const fs::path& file, FormulaFileState) { unreadable.insert(file.filename().string()); };
    for (const char* materials : {"materials", "linked"}) {
        hits.clear();
        unreadable.clear();
        const WhereUsedSummary summary = findWhereUsed(hostile / "formulas", hostile / materials, {"water"}, sink);
        EXPECT_EQ(unreadable,
            (std::set<std::string>{
                "binary.tfx", "dir.tfx", "fifo.tfx", "long-line.tfx", "million-keys.tfx", "nul.tfx"}));
        // Weights beyond the row limit count as none.
        EXPECT_EQ(hits,
            (std::vector<std::string>{"huge-materials.tfx:16 8.333 6.345", "overflow.tfx:1 0.000 0.000",
                "overflow.tfx:2 0.000 0.000", "overflow.tfx:3 0.000 0.000", "overflow.tfx:4 5.000 100.000"}));
        EXPECT_EQ(summary.formulasRead, 5);
    }
}

}  // namespace
