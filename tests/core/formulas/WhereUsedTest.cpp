#include "core/formulas/WhereUsed.h"

#include "TempFolder.h"
#include "core/materials/MaterialFile.h"
#include "core/text/NumberText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace tintora;
using tintora::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> hitsOf(const fs::path& formulas, const fs::path& materials, const WhereUsedQuery& query,
    std::vector<std::string>* unreadable = nullptr)
{
    std::vector<std::string> hits;
    WhereUsedSink sink;
    sink.found = [&](const WhereUsedHit& hit) {
        hits.push_back(hit.file.filename().string() + ":" + std::to_string(hit.row) + " " + hit.code + " "
            + formatThreeDecimals(hit.weight) + " " + formatThreeDecimals(hit.percentByWeight) + " " + hit.formulaName);
    };
    sink.unreadable = [&](const fs::path& file, FormulaFileState) {
        if (unreadable)
            unreadable->push_back(file.filename().string());
    };
    findWhereUsed(formulas, materials, query, sink);
    return hits;
}

class WhereUsedFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write("tio2.rm", "[Material]\nName=TITANIUM dioxide rutile\nSpec=4.1\n");
        folder.write("Water.rm", "[Material]\nName=water\nSpec=1\n");
        folder.write("zinc.rm", "[Material]\nName=zinc oxide\nSpec=5.6\n");
        // Every letter case of the code; notes that read like it; a missing material.
        folder.write("b-gloss.tfx",
            "[Formula]\nName=Gloss\nrType1=1\nMaterial1=TIO2\nWeight1=250\nrType2=0\nMaterial2=tio2\n"
            "rType3=1\nMaterial3=water\nWeight3=749.9996\nrType4=1\nMaterial4=ghost\nWeight4=0.0004\n");
        folder.write("a-flat.TFX",
            "[Formula]\nName=Flat\nrType1=1\nMaterial1=Tio2\nWeight1=100\nrType2=1\nMaterial2=tIO2\nWeight2=1e9\n"
            "rType3=0\nMaterial3=TIO2\nrType4=1\nMaterial4=Zinc\nWeight4=200\nrType5=1\nMaterial5=GHOST\nWeight5=1\n");
        folder.write("c-clear.tfx", "[Formula]\nName=Clear\nrType1=1\nMaterial1=water\nWeight1=10\n");
        folder.write(
            "d-notes.tfx", "[Formula]\nName=Notes only\nrType1=0\nMaterial1=tio2\nrType2=0\nMaterial2=ghost\n");
        folder.write("e-picture.tfx", "\x89PNG\r\n\x1a\n not a formula");
        folder.write("tio2.txt", "[Formula]\nrType1=1\nMaterial1=tio2\n");
        fs::create_directory(folder.path() / "f-folder.tfx");
    }

    TempFolder folder;
};

TEST_F(WhereUsedFolderTest, FindsMaterialRowsByCodeOrNameWordsInFileOrder)
{
    const struct {
        WhereUsedQuery query;
        std::vector<std::string> hits;
    } cases[] = {
        // A weight beyond the row limit counts as none, as on opening.
        {{"tio2", WhereUsedMatch::Code},
            {"a-flat.TFX:1 Tio2 100.000 33.223 Flat", "a-flat.TFX:2 tIO2 0.000 0.000 Flat",
                "b-gloss.tfx:1 TIO2 250.000 25.000 Gloss"}},
        // The percent divides the three-decimal weight by the total of all digits.
        {{"  WATER ", WhereUsedMatch::Code},
            {"b-gloss.tfx:3 water 750.000 75.000 Gloss", "c-clear.tfx:1 water 10.000 100.000 Clear"}},
        // Missing materials match by their code; a weight below 0.0005 shows as 0.000.
        {{"Ghost", WhereUsedMatch::CodeOrNameWords},
            {"a-flat.TFX:5 GHOST 1.000 0.332 Flat", "b-gloss.tfx:4 ghost 0.000 0.000 Gloss"}},
        {{"rutile Titanium", WhereUsedMatch::CodeOrNameWords},
            {"a-flat.TFX:1 Tio2 100.000 33.223 Flat", "a-flat.TFX:2 tIO2 0.000 0.000 Flat",
                "b-gloss.tfx:1 TIO2 250.000 25.000 Gloss"}},
        {{"oxide", WhereUsedMatch::CodeOrNameWords},
            {"a-flat.TFX:1 Tio2 100.000 33.223 Flat", "a-flat.TFX:2 tIO2 0.000 0.000 Flat",
                "a-flat.TFX:4 Zinc 200.000 66.445 Flat", "b-gloss.tfx:1 TIO2 250.000 25.000 Gloss"}},
        {{"oxide", WhereUsedMatch::Code}, {}},
        {{"zinc water", WhereUsedMatch::CodeOrNameWords}, {}},
        {{"   ", WhereUsedMatch::CodeOrNameWords}, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> unreadable;
        EXPECT_EQ(hitsOf(folder.path(), folder.path(), c.query, &unreadable), c.hits) << c.query.text;
        EXPECT_EQ(unreadable, (std::vector<std::string>{"e-picture.tfx", "f-folder.tfx"}));
    }
}

TEST_F(WhereUsedFolderTest, StopEndsTheSearchAfterTheFileBeingRead)
{
    std::atomic<bool> stop = false;
    int hits = 0;
    WhereUsedSink sink;
    sink.found = [&](const WhereUsedHit&) {
        ++hits;
        stop = true;
    };
    const WhereUsedSummary summary = findWhereUsed(folder.path(), folder.path(), {"tio2"}, sink, &stop);
    EXPECT_TRUE(summary.stopped);
    EXPECT_EQ(hits, 2);  // both rows of the first file
    EXPECT_EQ(summary.formulasRead, 1);
}

// The weight and percent of every hit are those the Weight and W% cells show
// once the formula is opened, on random formulas: codes in any case, notes,
// missing and empty codes, weights with many digits, malformed, negative or
// beyond the row limit.
TEST(WhereUsedTest, WeightAndPercentAreWhatOpeningShows)
{
    TempFolder folder;
    const std::vector<std::string> codes = {"resin", "TiO2", "water", "ghost", ""};
    folder.write("resin.rm", "[Material]\nName=resin\nSpec=1.1\n");
    folder.write("tio2.rm", "[Material]\nName=tio2\nSpec=4.1\n");
    folder.write("water.rm", "[Material]\nName=water\nSpec=1\n");
    const MaterialFiles materials(folder.path());
    std::mt19937 random(24);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto anyCase = [&](std::string code) {
        for (char& c : code)
            c = pick(2) ? static_cast<char>(std::toupper(c)) : static_cast<char>(std::tolower(c));
        return code;
    };
    const std::vector<std::string> oddWeights = {"", "12x", "-3.5", "100000", "99999.999", "1e-4", "0.0005"};
    for (int round = 0; round < 300; ++round) {
        std::string text = "[Formula]\nName=F\n";
        for (int n = 1; n <= SheetRowCount; ++n) {
            if (pick(3) == 0)
                continue;
            const std::string weight = pick(4) ? std::to_string(pick(2000000) / 997.0) : oddWeights[pick(7)];
            text += "rType" + std::to_string(n) + "=" + (pick(5) ? "1" : "0") + "\nMaterial" + std::to_string(n) + "="
                + anyCase(codes[pick(5)]) + "\nWeight" + std::to_string(n) + "=" + weight + "\n";
        }
        const IniFile ini = IniFile::parse(text);
        FormulaSheet sheet;
        FormulaLoad(sheet, ini, materials);
        for (const char* code : {"RESIN", "tio2", "Ghost"}) {
            std::vector<WhereUsedHit> expected;
            for (int n = 1; n <= SheetRowCount; ++n)
                if (equalsIgnoringAsciiCase(sheet.cell(Column::Material, n), code))
                    expected.push_back({{}, "F", n, sheet.cell(Column::Material, n),
                        numberFromText(sheet.cell(Column::Weight, n)), numberFromText(sheet.cell(Column::Percent, n))});
            const auto hits = whereUsedIn(ini, {code, WhereUsedMatch::Code}, nullptr);
            ASSERT_EQ(hits.size(), expected.size()) << text;
            for (std::size_t i = 0; i < hits.size(); ++i) {
                EXPECT_EQ(hits[i].row, expected[i].row) << text;
                EXPECT_EQ(hits[i].code, expected[i].code);
                EXPECT_EQ(hits[i].weight, expected[i].weight) << text << " row " << hits[i].row;
                EXPECT_EQ(hits[i].percentByWeight, expected[i].percentByWeight) << text << " row " << hits[i].row;
            }
        }
    }
}

}  // namespace
