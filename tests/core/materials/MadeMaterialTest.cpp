#include "core/materials/MadeMaterial.h"

#include "TempFolder.h"
#include "core/formulas/FormulaFile.h"
#include "core/materials/MaterialWrite.h"
#include "core/text/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <random>
#include <set>
#include <sstream>

using namespace tintora;
using tintora::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

constexpr CalendarDate Today{2026, 12, 7};

FormulaSheet loaded(const std::string& text, const fs::path& materials)
{
    FormulaSheet sheet;
    FormulaLoad(sheet, IniFile::parse(text), materials);
    return sheet;
}

std::string row(int n, const std::string& code, const std::string& weight, const char* type = "1")
{
    const std::string k = std::to_string(n);
    return "rType" + k + "=" + type + "\nMaterial" + k + "=" + code + "\nWeight" + k + "=" + weight + "\n";
}

// Materials as the editor writes them (three decimals), with fractions that
// make sense: VOC within the volatiles, volatiles and pigment within the whole.
void writeRandomMaterials(const fs::path& folder, int count, std::mt19937& random)
{
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < count; ++i) {
        Material m;
        m.Name = "material " + std::to_string(i);
        RowMaterialProps& p = m.props;
        p.Spec = 0.7 + 3.8 * unit(random);
        p.Cost = 5 * unit(random);
        p.Vol_Wt = i % 3 == 0 ? 0 : unit(random);
        p.Pig_Wt = (1 - p.Vol_Wt) * unit(random);
        p.Voc_Wt = p.Vol_Wt * unit(random);
        p.Vol_Vol = i % 3 == 0 ? 0 : unit(random);
        p.Pig_Vol = (1 - p.Vol_Vol) * unit(random);
        p.Voc_Vol = p.Vol_Vol * unit(random);
        ASSERT_TRUE(SetNumbers(folder, std::string("m").append(std::to_string(i)), m).ok());
    }
}

// The key property: a formula holding only the made material, at the source's
// total weight, shows the source's figures.
TEST(MadeMaterialTest, TheMaterialAloneShowsTheSourcesFigures)
{
    TempFolder folder;
    std::mt19937 random(2412);
    writeRandomMaterials(folder.path(), 12, random);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int round = 0; round < 100; ++round) {
        std::string text = "[Formula]\nName=Premix " + std::to_string(round) + "\n";
        const int rows = 1 + pick(SheetRowCount);
        for (int n = 1; n <= rows; ++n)
            text += n == 1 || pick(6) ? row(n, std::string("M").append(std::to_string(pick(12))),
                        formatThreeDecimals(pick(5000000) / 1000.0 + 0.001))
                                      : row(n, "stir well", "", "0");
        const FormulaSheet source = loaded(text, folder.path());
        const MadeMaterialPlan plan = planMadeMaterial(source, folder.path(), {"made", "", "/lab/premix.tfx", Today});
        ASSERT_TRUE(plan.ok()) << plan.problem << "\n" << text;
        ASSERT_TRUE(writeMadeMaterial(plan).ok());
        const double w = source.box(PropertyBox::WeightBox);
        const FormulaSheet alone = loaded("[Formula]\n" + row(1, "Made", formatThreeDecimals(w)), folder.path());
        ASSERT_TRUE(alone.row(1).RowKind);
        for (int b = 0; b < PropertyBoxCount; ++b) {
            const auto box = static_cast<PropertyBox>(b);
            double tolerance = 0.001 + 1e-9;  // two figures each rounded to three decimals
            EXPECT_NEAR(alone.box(box), source.box(box), tolerance) << propertyBoxName(box) << "\n" << text;
        }
        fs::remove(plan.file);
    }
}

class MadeMaterialPlanTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write("tio2.rm", "[Material]\nName=titanium dioxide\nSpec=4.1\nCost=1.85\nPig_Wt=1\nPig_Vol=1\n");
        folder.write("Water.rm", "[Material]\nName=water\nSpec=1\nVol_Wt=1\nVol_Vol=1\n");
        folder.write("nogravity.rm", "[Material]\nName=no gravity\nCost=1\n");
    }
    MadeMaterialPlan plan(
        const std::string& rows, const std::string& code = "grind", const std::string& path = "/lab/grind base.tfx")
    {
        return planMadeMaterial(
            loaded("[Formula]\nName=Grind Base\n" + rows, folder.path()), folder.path(), {code, "", path, Today});
    }
    std::string text(const fs::path& file) const
    {
        std::ostringstream bytes;
        bytes << std::ifstream(file).rdbuf();
        return bytes.str();
    }

    TempFolder folder;
    const std::string sound = row(1, "TIO2", "200") + row(2, "stir", "", "0") + row(3, "water", "100");
};

TEST_F(MadeMaterialPlanTest, EachRefusalHasItsOwnMessageAndWritesNothing)
{
    const std::string notACode
        = "is not a material code. A code has no * ? [ ] / or \\, no control characters and no blanks at its ends.";
    const struct {
        std::string rows, code, path, problem;
    } cases[] = {
        {sound, "", "/lab/a.tfx", "Please enter a file name for the material."},
        {sound, "../grind", "/lab/a.tfx",
            "\"../grind\" cannot be a material file: it would lie outside the material folder."},
        {sound, "..", "/lab/a.tfx", "\"..\" cannot be a material file: it would lie outside the material folder."},
        {sound, "a*b", "/lab/a.tfx", "\"a*b\" " + notACode},
        {sound, "*", "/lab/a.tfx", "\"*\" " + notACode},
        {sound, " lead", "/lab/a.tfx", "\" lead\" " + notACode},
        {sound, "grind", "", "The formula has no file yet: save it before making a material of it."},
        {"", "grind", "/lab/a.tfx", "The formula is empty."},
        {row(1, "stir", "", "0"), "grind", "/lab/a.tfx", "The formula is empty."},
        {sound, "WATER.rm", "/lab/a.tfx", "The formula uses WATER itself: a material cannot contain itself."},
        {sound + row(4, "ghost", "1"), "grind", "/lab/a.tfx", "Material ghost in row 4 was not found."},
        {sound + row(4, "nogravity", "1"), "grind", "/lab/a.tfx", "A material has no specific gravity."},
        {row(1, "tio2", "") + row(2, "water", "0"), "grind", "/lab/a.tfx",
            "The formula's total weight and volume must be above zero."},
        {row(1, "tio2", "-5"), "grind", "/lab/a.tfx", "The formula's total weight and volume must be above zero."},
    };
    for (const auto& c : cases) {
        const MadeMaterialPlan refused = plan(c.rows, c.code, c.path);
        EXPECT_EQ(refused.problem, c.problem) << c.rows << c.code;
        EXPECT_FALSE(writeMadeMaterial(refused).ok());
    }
    // A missing material without weight, or a note, leaves the mixture whole.
    EXPECT_TRUE(plan(sound + row(4, "ghost", "") + row(5, "ghost", "", "0")).ok());
    EXPECT_FALSE(fs::exists(folder.path() / "grind.rm"));
}

TEST_F(MadeMaterialPlanTest, WritesTheMaterialKeysThenSourceAndMade)
{
    const MadeMaterialPlan made = plan(sound);
    ASSERT_TRUE(made.ok());
    EXPECT_FALSE(made.replaces);
    ASSERT_TRUE(writeMadeMaterial(made).ok());
    // 300 lb in 5.854 + 12.000 gallons: density 16.802, so Spec 16.802 / 8.33334.
    const Material m = readMaterial(folder.path() / "grind.rm");
    EXPECT_EQ(m.Name, "grind base");
    EXPECT_NEAR(m.props.Spec * 8.33334, 300 / 17.854, 1e-12);
    EXPECT_NEAR(m.props.Cost, 200 * 1.85 / 300, 1e-15);
    EXPECT_NEAR(m.props.Pig_Vol, 5.854 / 17.854, 1e-15);
    std::istringstream lines(text(folder.path() / "grind.rm"));
    std::vector<std::string> keys;
    for (std::string line; std::getline(lines, line);)
        keys.push_back(line.substr(0, line.find('=')));
    EXPECT_EQ(keys,
        (std::vector<std::string>{"[Material]", "Name", "Spec", "Cost", "Pig_Wt", "Pig_Vol", "Vol_Wt", "Vol_Vol",
            "Voc_Wt", "Voc_Vol", "Source", "Made"}));
    EXPECT_NE(text(folder.path() / "grind.rm").find("\nSource=grind base.tfx\nMade=2026-12-07\n"), std::string::npos);
}

TEST_F(MadeMaterialPlanTest, ReplacingKeepsTheFileItsCodeNamesAndItsOtherKeys)
{
    folder.write("Grind.rm", "[Material]\nName=old\nSupplier=Acme\nSpec=1\n");
    const MadeMaterialPlan made = plan(sound, "grind.RM");
    ASSERT_TRUE(made.ok());
    EXPECT_TRUE(made.replaces);
    EXPECT_EQ(made.file, folder.path() / "Grind.rm");
    EXPECT_EQ(replaceMaterialQuestion(made), "Grind.rm already exists. Replace it?");
    ASSERT_TRUE(writeMadeMaterial(made).ok());
    const std::string after = text(folder.path() / "Grind.rm");
    EXPECT_NE(after.find("Name=grind base\nSupplier=Acme\nSpec="), std::string::npos) << after;
    EXPECT_FALSE(fs::exists(folder.path() / "grind.rm"));
}

}  // namespace
