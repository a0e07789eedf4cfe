// Made materials made again and new prices followed through them: random
// three-level folders against the same formula composed flat, and a table
// of the made materials that cannot be made again.
#include "core/materials/PriceChanges.h"

#include "../calc/RandomFormula.h"
#include "TempFolder.h"
#include "core/calc/Calculate.h"
#include "core/formulas/FormulaFile.h"
#include "core/materials/MaterialWrite.h"
#include "core/text/NumberText.h"

#include <gtest/gtest.h>

#include <map>

using namespace tintora;
using tintora::testing::TempFolder;

namespace {

constexpr CalendarDate Today{2026, 12, 8};

using Rows = std::vector<std::pair<std::string, double>>;  // code, weight

std::string formulaText(const Rows& rows)
{
    std::string text = "[Formula]\nName=f\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        text += "rType" + n + "=1\nMaterial" + n + "=" + rows[i].first + "\nWeight" + n + "="
            + formatThreeDecimals(rows[i].second) + "\n";
    }
    return text;
}

// Writes the formula, and the made material `code` from it.
void makeFromFormula(const TempFolder& folder, const std::string& code, const Rows& rows)
{
    const auto formula = folder.write(code + ".tfx", formulaText(rows));
    FormulaSheet sheet;
    FormulaLoad(sheet, formula.string(), folder.path());
    std::string request = code;
    ASSERT_TRUE(writeMadeMaterial(planMadeMaterial(sheet, folder.path(), {request, "", formula.string(), Today})));
}

// The top formula with every made material replaced by its own rows, scaled
// to the weight it is used at, and the raw materials' properties given.
void flatten(const std::map<std::string, Rows>& formulas, const std::string& code, double weight, Rows& flat)
{
    const Rows& rows = formulas.at(code);
    double total = 0;
    for (const auto& row : rows)
        total += row.second;
    for (const auto& [used, w] : rows) {
        if (formulas.contains(used))
            flatten(formulas, used, weight * w / total, flat);
        else
            flat.emplace_back(used, weight * w / total);
    }
}

TEST(PriceChangesTest, ANewPriceFollowsThreeLevelsOfMadeMaterials)
{
    for (unsigned seed = 1; seed <= 25; ++seed) {
        TempFolder folder;
        test::RandomFormula random(seed);
        std::map<std::string, RowMaterialProps> raw;
        for (const char* code : {"ra", "rb", "rc", "rd"}) {
            ASSERT_TRUE(SetNumbers(folder.path(), code, {code, random.material()}));
            raw[code] = readMaterial(folder.path() / (std::string(code) + ".rm")).props;  // as written
        }
        const auto weight = [&] { return roundToThreeDecimals(random.uniform(5, 300)); };
        std::map<std::string, Rows> formulas{{"m1", {{"ra", weight()}, {"rb", weight()}}},
            {"m2", {{"m1", weight()}, {"rc", weight()}}},
            {"top", {{"m2", weight()}, {"rd", weight()}, {"ra", weight()}}}};
        makeFromFormula(folder, "m1", formulas["m1"]);
        makeFromFormula(folder, "m2", formulas["m2"]);
        folder.write("top.tfx", formulaText(formulas["top"]));
        folder.write("other.tfx", formulaText({{"rc", 10}}));

        const double newCost = roundToThreeDecimals(random.uniform(0.5, 9));
        const Result<CostChangeAnswer> answer = costChangeIn(folder.path(), folder.path(), {{"RA", newCost}});
        ASSERT_TRUE(answer.ok()) << answer.problem();
        // m1 and m2 take ra in, so do their formulas; other.tfx does not.
        ASSERT_EQ(answer.value().formulas.size(), 3U) << seed;
        const auto top = std::find_if(answer.value().formulas.begin(), answer.value().formulas.end(),
            [](const CostChange& c) { return c.file.filename() == "top.tfx"; });
        ASSERT_NE(top, answer.value().formulas.end());

        raw["ra"].Cost = newCost;
        Rows flat;
        flatten(formulas, "top", 1000, flat);
        FormulaSheet sheet;
        for (std::size_t i = 0; i < flat.size(); ++i) {
            const int n = static_cast<int>(i + 1);
            sheet.row(n).RowKind = true;
            sheet.row(n).props = raw[flat[i].first];
            sheet.setCell(Column::Weight, n, formatCell(flat[i].second));
        }
        Calculate(sheet);
        const double direct = sheet.box(PropertyBox::CostVolBox);
        // Within the rounding of the weights and volumes to three decimals.
        EXPECT_NEAR(top->perGallonNew, direct, direct * 5e-5 + 0.002) << seed;
    }
}

TEST(PriceChangesTest, MadeMaterialsThatCannotBeMadeAgainAreNamed)
{
    TempFolder folder;
    ASSERT_TRUE(SetNumbers(folder.path(), "water", {"water", {.Spec = 1, .Cost = 0.01, .Vol_Wt = 1, .Vol_Vol = 1}}));
    const auto madeFile = [&](const std::string& code, const std::string& source) {
        folder.write(code + ".rm", "[Material]\nName=" + code + "\nSpec=1\nCost=1\nSource=" + source + "\n");
    };
    madeFile("a", "fa.tfx");
    madeFile("b", "fb.tfx");
    madeFile("self", "fself.tfx");
    madeFile("lost", "nosuch.tfx");
    madeFile("fine", "ffine.tfx");
    folder.write("fa.tfx", formulaText({{"b", 10}, {"water", 5}}));
    folder.write("fb.tfx", formulaText({{"a", 10}}));
    folder.write("fself.tfx", formulaText({{"SELF", 1}, {"water", 1}}));
    folder.write("ffine.tfx", formulaText({{"water", 3}}));
    folder.write("plain.rm", "[Material]\nName=plain\nSpec=1\nCost=5\n");

    const std::vector<MadeMaterialFile> made = madeMaterialsIn(folder.path());
    ASSERT_EQ(made.size(), 5U);  // plain.rm and water.rm name no source
    MaterialOverrides overrides;
    const std::vector<RemadeMaterial> remade
        = remakeMadeMaterials(made, folder.path(), MaterialFiles(folder.path()), overrides);
    std::map<std::string, std::string> problems;
    for (const RemadeMaterial& r : remade)
        problems[r.made->code] = r.problem;
    EXPECT_NE(problems["a"].find("A cycle of made materials: "), std::string::npos) << problems["a"];
    EXPECT_NE(problems["a"].find("a (fa.tfx) uses b"), std::string::npos) << problems["a"];
    EXPECT_EQ(problems["b"], problems["a"]);
    EXPECT_NE(problems["self"].find("self (fself.tfx) uses self"), std::string::npos) << problems["self"];
    EXPECT_NE(problems["lost"].find("nosuch.tfx"), std::string::npos) << problems["lost"];
    EXPECT_EQ(problems["fine"], "");

    // Written only when changed and not changed on disk since it was read.
    const RemadeWritten written = writeRemadeMaterials(remade, Today);
    EXPECT_EQ(written.written, std::vector<std::string>{"fine"});
    EXPECT_EQ(IniFile::read(folder.path() / "fine.rm").value("Material", "Made"), "2026-12-08");
    EXPECT_EQ(IniFile::read(folder.path() / "a.rm").value("Material", "Made"), std::nullopt);
    std::vector<MadeMaterialFile> again = madeMaterialsIn(folder.path());
    folder.write("ffine.tfx", formulaText({{"water", 3}, {"plain", 1}}));
    const std::vector<RemadeMaterial> remadeAgain
        = remakeMadeMaterials(again, folder.path(), MaterialFiles(folder.path()), overrides);
    folder.write("fine.rm", "[Material]\nName=fine\nSpec=1\nCost=7\nSource=ffine.tfx\n");
    const RemadeWritten refused = writeRemadeMaterials(remadeAgain, Today);
    EXPECT_TRUE(refused.written.empty());
    ASSERT_EQ(refused.problems.size(), 1U);
    EXPECT_NE(refused.problems[0].find("fine.rm was changed since the list was made"), std::string::npos);

    EXPECT_FALSE(costChangeIn(folder.path(), folder.path(), {{"nosuch", 1}}));
    const Result<CostChangeAnswer> unused = costChangeIn(folder.path(), folder.path(), {{"plain", 1}});
    ASSERT_TRUE(unused.ok());
    EXPECT_TRUE(unused.value().formulas.size() == 1 && unused.value().formulas[0].file.filename() == "ffine.tfx");
}

}  // namespace
