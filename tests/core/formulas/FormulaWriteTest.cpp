#include "core/formulas/FormulaWrite.h"

#include "TempFolder.h"
#include "core/calc/Calculate.h"
#include "core/formulas/FormulaFile.h"
#include "core/materials/MaterialFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

using namespace tintora;
using tintora::testing::TempFolder;

namespace {

std::string load(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class Random {
public:
    explicit Random(unsigned seed)
        : rng_(seed)
    {
    }
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    template <std::size_t N>
    const char* pick(const char* const (&items)[N])
    {
        return items[below(static_cast<int>(N))];
    }

    // Texts a cell can hold, with what the INI form makes hard.
    std::string text()
    {
        static const char* const pieces[]
            = {"x", "Mix", " ", "=", ";", "\"", "'", "[a]", "\xC3\xA9", "\xE2\x82\xAC", "0.5"};
        std::string result = pick(pieces);
        for (int n = below(5); n > 0; --n)
            result += pick(pieces);
        return result;
    }

private:
    std::mt19937 rng_;
};

class FormulaWriteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write("resin.rm", "[Material]\nName=acrylic resin\nSpec=1.05\nCost=2\n");
        folder.write("tio2.rm", "[Material]\nName=titanium dioxide\nSpec=4.1\nPig_Wt=1\nPig_Vol=1\n");
    }

    // A sheet as the window can hold it, settled by Calculate.
    FormulaSheet randomSheet(Random& random)
    {
        static const char* const codes[] = {"resin", "Resin", "TIO2", "tio2"};
        static const char* const weights[] = {"", "0.001", "99999.999", "12.5", "250", "0.0004", "  7.125"};
        FormulaSheet sheet;
        sheet.setName(random.below(4) == 0 ? std::string() : random.text());
        const MaterialFiles files(folder.path());
        for (int n = 1; n <= SheetRowCount; ++n) {
            switch (random.below(4)) {
            case 0:
                sheet.setCell(Column::Material, n, random.pick(codes));
                sheet.setCell(Column::Weight, n, random.pick(weights));
                MaterialLoad(sheet, n, files);
                break;
            case 1:  // a code that names no file keeps its code and weight, and a note typed beside it
                sheet.setCell(Column::Material, n, random.text());
                sheet.setCell(Column::Description, n, random.below(2) == 0 ? MaterialNotFound : random.text());
                sheet.setCell(Column::Weight, n, random.pick(weights));
                break;
            case 2:
                sheet.setCell(Column::Description, n, random.text());
                break;
            default:
                break;
            }
        }
        Calculate(sheet);
        Calculate(sheet);  // a weight below half a thousandth shows 0.000 once, then goes
        return sheet;
    }

    static void expectSameSheet(const FormulaSheet& saved, const FormulaSheet& read, int round)
    {
        EXPECT_EQ(read.name(), saved.name()) << round;
        for (int n = 1; n <= SheetRowCount; ++n) {
            EXPECT_EQ(read.row(n).cells, saved.row(n).cells) << round << " row " << n;
            EXPECT_EQ(read.row(n).RowKind, saved.row(n).RowKind) << round << " row " << n;
            EXPECT_EQ(read.row(n).props, saved.row(n).props) << round << " row " << n;
        }
        for (int b = 0; b < PropertyBoxCount; ++b)
            EXPECT_EQ(read.box(static_cast<PropertyBox>(b)), saved.box(static_cast<PropertyBox>(b))) << round;
    }

    TempFolder folder;
};

// Save then FormulaLoad gives the same sheet, over an earlier version of the
// file whose other sections, comments and line ends stay byte for byte.
TEST_F(FormulaWriteTest, RandomSheetsReadBackAsSavedAndTheRestOfTheFileStays)
{
    Random random(7);
    const std::string before = "; lab copy\r\n[Properties]\r\nProtect=0\r\nDate=3/14/99\r\n[Memo]\r\nMemoCount=1\r\n"
                               "Memo0= keep\r\n[Unknown]\r\nrType1=0\r\n";
    const std::string after = "\r\n[Spec]\r\nSpecCount=0\r\n; end";
    for (int round = 0; round < 40; ++round) {
        const auto file = folder.write("formula.tfx",
            before
                + "[FORMULA]\r\nname=old\r\nrType3=0\r\nMaterial3=old note\r\n"
                  "Weight3=5\r\nrType40=1\r\nWeight7=1\r\n"
                + after);
        const FormulaSheet sheet = randomSheet(random);
        const Result<FileStamp> saved = FormulaSave(sheet, file);
        ASSERT_TRUE(saved) << saved.problem();

        FormulaSheet read;
        FormulaLoad(read, file.string(), folder.path());
        expectSameSheet(sheet, read, round);
        EXPECT_EQ(writtenFormOf(read), writtenFormOf(sheet)) << round;

        const std::string bytes = load(file);
        EXPECT_TRUE(bytes.starts_with(before + "[FORMULA]\r\nname=")) << bytes;
        EXPECT_TRUE(bytes.ends_with(after)) << bytes;
        EXPECT_NE(bytes.find("\r\nrType40=1\r\n"), std::string::npos) << bytes;
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), std::count(bytes.begin(), bytes.end(), '\r')) << bytes;
    }
}

// A code that names no file beside a note is kept as a missing material's
// row, which every reader shows with its code and weight, and the note under
// its own key; the key goes when the row no longer needs it.
TEST_F(FormulaWriteTest, ACodeBesideANoteIsStoredAsAMissingMaterialWithTheNote)
{
    const auto file = folder.write("formula.tfx", "[Formula]\nName=N\n");
    FormulaSheet sheet;
    sheet.setName("N");
    sheet.setCell(Column::Description, 3, "stir first");
    sheet.setCell(Column::Material, 3, "zz");
    sheet.setCell(Column::Weight, 3, "5");
    Calculate(sheet);
    ASSERT_TRUE(FormulaSave(sheet, file));
    EXPECT_EQ(load(file), "[Formula]\nName=N\nrType3=1\nMaterial3=zz\nWeight3=5.000\nNote3=stir first\n");

    sheet.setCell(Column::Material, 3, "");
    ASSERT_TRUE(FormulaSave(sheet, file));
    EXPECT_EQ(load(file), "[Formula]\nName=N\nrType3=0\nMaterial3=stir first\n");
}

TEST_F(FormulaWriteTest, AValueTheFileCannotHoldIsRefusedNamingTheRowAndNothingIsWritten)
{
    const std::string before = "[Formula]\nName=kept\n";
    const auto file = folder.write("formula.tfx", before);
    FormulaSheet sheet;
    sheet.setName("new");
    sheet.setCell(Column::Material, 2, "resin");
    sheet.setCell(Column::Description, 5, "two\nlines");
    EXPECT_EQ(formulaSaveProblem(writtenFormOf(sheet)), "the note in row 5 holds a line break");
    EXPECT_EQ(FormulaSave(sheet, file).problem(), cannotWrite(file, "the note in row 5 holds a line break"));
    EXPECT_EQ(load(file), before);

    // A Windows-1252 file cannot hold every character: refused, not converted.
    const std::string legacy = "[Formula]\nName=caf\xE9\n";
    folder.write("formula.tfx", legacy);
    sheet.setCell(Column::Description, 5, "\xC4\x80");
    EXPECT_NE(FormulaSave(sheet, file).problem().find("the note in row 5"), std::string::npos);
    EXPECT_EQ(load(file), legacy);
}

TEST_F(FormulaWriteTest, SaveAsTakesTheOtherSectionsOfTheFormulaItCameFrom)
{
    const auto source = folder.write("a.tfx", "[Formula]\nName=a\n[Memo]\nMemoCount=1\nMemo0=hi\n");
    FormulaSheet sheet;
    sheet.setName("b");
    ASSERT_TRUE(FormulaSave(sheet, folder.path() / "b.tfx", source));
    EXPECT_EQ(load(folder.path() / "b.tfx"), "[Formula]\nName=b\n[Memo]\nMemoCount=1\nMemo0=hi\n");
    EXPECT_EQ(load(source), "[Formula]\nName=a\n[Memo]\nMemoCount=1\nMemo0=hi\n");
}

// The copy of a protected formula is the user's to change; the original stays protected.
TEST_F(FormulaWriteTest, SaveAsWritesTheCopyOfAProtectedFormulaUnprotected)
{
    const std::pair<std::string, std::string> cases[] = {
        {"[Properties]\nProtect=1\nDate=2026-11-20\n", "[Properties]\nProtect=0\nDate=2026-11-20\n"},
        {"[Properties]\nProtect=$10\n", "[Properties]\nProtect=0\n"},
        {"[Properties]\nProtect=0\n", "[Properties]\nProtect=0\n"},
        {"[Properties]\nDate=2026-11-20\n", "[Properties]\nDate=2026-11-20\n"},
        {"[Memo]\nMemoCount=0\n", "[Memo]\nMemoCount=0\n"},
    };
    for (const auto& [sections, copied] : cases) {
        const auto source = folder.write("a.tfx", "[Formula]\nName=a\n" + sections);
        FormulaSheet sheet;
        sheet.setName("b");
        ASSERT_TRUE(FormulaSave(sheet, folder.path() / "b.tfx", source));
        EXPECT_EQ(load(folder.path() / "b.tfx"), "[Formula]\nName=b\n" + copied) << sections;
        EXPECT_EQ(load(source), "[Formula]\nName=a\n" + sections);
    }
}

// No save writes over a protected formula: not Save As onto its own name,
// not onto another protected formula.
TEST_F(FormulaWriteTest, NoSaveWritesOverAProtectedFormula)
{
    const std::string protectedFormula = "[Formula]\nName=a\n[Properties]\nProtect=1\n";
    const auto target = folder.write("a.tfx", protectedFormula);
    FormulaSheet sheet;
    sheet.setName("b");
    for (const std::optional<std::filesystem::path>& source :
        {std::optional<std::filesystem::path>(), std::optional<std::filesystem::path>(target)}) {
        EXPECT_EQ(FormulaSave(sheet, target, source).problem(), "a.tfx is protected and cannot be overwritten.");
        EXPECT_EQ(load(target), protectedFormula);
    }
}

TEST_F(FormulaWriteTest, OnlyAChangeOfTheWrittenFormIsSomethingToLose)
{
    const auto file = folder.write("formula.tfx",
        "[Formula]\nName=P\nrType1=1\nMaterial1=resin\nWeight1=100\n"
        "rType2=1\nMaterial2=tio2\nWeight2=50\n");
    FormulaSheet sheet;
    FormulaLoad(sheet, file.string(), folder.path());
    const FormulaWrittenForm loaded = writtenFormOf(sheet);
    FlipPercents(sheet);
    Calculate(sheet);
    EXPECT_TRUE(sheet.SheetModified);
    EXPECT_FALSE(hasUnsavedChanges(sheet, loaded));
    sheet.setCell(Column::Weight, 1, "101");
    EXPECT_TRUE(hasUnsavedChanges(sheet, loaded));
    sheet.setCell(Column::Weight, 1, " 100.000");
    sheet.setName("Q");
    EXPECT_TRUE(hasUnsavedChanges(sheet, loaded));

    EXPECT_EQ(askSaveQuestion(file.string()), "Save changes to formula.tfx?");
    EXPECT_EQ(askSaveQuestion(""), "Save changes to the new formula?");
}

// Save then readFormulaProperties gives what was saved; keys beyond the new
// counts go, the formula itself stays.
TEST_F(FormulaWriteTest, RandomPropertiesReadBackAsSaved)
{
    Random random(11);
    for (int round = 0; round < 25; ++round) {
        const std::string formula = "[Formula]\r\nName=P\r\nrType1=0\r\nMaterial1=n\r\n";
        // Some files end in more sections of something else than a file may
        // hold: they are passed over and kept.
        std::string foreign;
        for (int i = 0; round % 5 == 0 && i < 100000; ++i)
            foreign += "[S" + std::to_string(i) + "]\r\n";
        const auto file = folder.write("p.tfx",
            formula
                + "[Memo]\r\nMemoCount=2\r\nMemo0=a\r\nMemo1=b\r\nMemo9=x\r\n"
                  "[Spec]\r\nSpecCount=9\r\nSpec8=s\r\nSpecSub8=v\r\nSpec08=kept\r\n"
                + foreign);
        FormulaProperties properties;
        if (random.below(3) != 0)
            properties.date = random.text();
        for (int n = random.below(4); n > 0; --n)
            properties.notes.push_back(random.below(4) == 0 ? std::string() : random.text());
        for (int n = random.below(4); n > 0; --n) {
            TestSpecEntry entry{random.text(), {}};
            if (random.below(3) != 0)
                entry.subItems.push_back(random.text());
            properties.testSpecs.push_back(entry);
        }
        const bool formulaProtected = random.below(2) == 0;
        const PropertiesChoice opened{readFormulaProperties(file), false};
        ASSERT_TRUE(saveFormulaProperties(file, opened, {properties, formulaProtected}));
        // OK again with nothing changed leaves the file and reports its own stamp.
        const PropertiesChoice saved{readFormulaProperties(file), formulaProtected};
        const auto unchanged = saveFormulaProperties(file, saved, saved);
        ASSERT_TRUE(unchanged);
        EXPECT_EQ(unchanged.value(), stampOfFile(file)) << round;

        const IniFile ini = IniFile::read(file, MaxFormulaFileBytes, formulaSections());
        const FormulaProperties read = readFormulaProperties(ini);
        EXPECT_EQ(read.date, properties.date) << round;
        EXPECT_EQ(read.notes, properties.notes) << round;
        EXPECT_EQ(read.testSpecs, properties.testSpecs) << round;
        EXPECT_EQ(ini.readInteger("Properties", "Protect", 0), formulaProtected ? 1 : 0);
        if (properties.notes != opened.properties.notes) {
            EXPECT_EQ(ini.value("Memo", "Memo9"), std::nullopt);
        }
        EXPECT_EQ(ini.value("Spec", "SpecSub8"), std::nullopt);
        EXPECT_EQ(ini.value("Spec", "Spec08"), "kept");
        EXPECT_TRUE(load(file).starts_with(formula));
        EXPECT_NE(load(file).find(foreign), std::string::npos);
    }
}

}  // namespace
