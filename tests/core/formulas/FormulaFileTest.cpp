#include "core/formulas/FormulaFile.h"

#include "TempFolder.h"
#include "core/text/NumberText.h"
#include "core/text/TextEncoding.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

using namespace tintora;
using tintora::testing::TempFolder;
using namespace std::string_literals;

namespace {

class FormulaLoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write("resin.rm", "[Material]\nName=ACRYLIC resin\nSpec=1.0\nCost=2\n");
        folder.write("tio2.rm", "[Material]\nName=titanium dioxide\nSpec=4.0\nPig_Wt=1\nPig_Vol=1\n");
    }
    bool load(const std::string& text)
    {
        const auto file = folder.write("formula.tfx", text);
        return FormulaLoad(sheet, file.string(), folder.path());
    }
    std::string cell(Column c, int n) const { return sheet.cell(c, n); }

    TempFolder folder;
    FormulaSheet sheet;
};

TEST_F(FormulaLoadTest, NameOnlyGivesAnEmptyUnprotectedSheet)
{
    EXPECT_FALSE(load("[Formula]\nName=X\n"));
    EXPECT_EQ(sheet.name(), "X");
    for (int n = 1; n <= SheetRowCount; ++n) {
        EXPECT_FALSE(sheet.row(n).RowKind);
        for (int c = 1; c < ColumnCount; ++c)
            EXPECT_EQ(sheet.row(n).cells[c], "");
    }
    EXPECT_FALSE(sheet.SheetModified);
}

TEST_F(FormulaLoadTest, MaterialNoteAndMissingRows)
{
    load("[Formula]\nName=Primer A\n"
         "rType1=1\nMaterial1=Resin\nWeight1=250\n"
         "rType5=0\nMaterial5=Mix 10 minutes\nWeight5=99\n"
         "rType7=1\nMaterial7=nosuch\nWeight7=12.5\n");

    EXPECT_TRUE(sheet.row(1).RowKind);
    EXPECT_EQ(cell(Column::Material, 1), "Resin");
    EXPECT_EQ(cell(Column::Description, 1), "Acrylic resin");
    EXPECT_EQ(cell(Column::Weight, 1), " 250.000");
    EXPECT_EQ(cell(Column::Volume, 1), "  30.000");

    EXPECT_FALSE(sheet.row(5).RowKind);
    EXPECT_EQ(cell(Column::Material, 5), "");
    EXPECT_EQ(cell(Column::Description, 5), "Mix 10 minutes");
    EXPECT_EQ(cell(Column::Weight, 5), "");

    EXPECT_FALSE(sheet.row(7).RowKind);
    EXPECT_EQ(cell(Column::Material, 7), "nosuch");
    EXPECT_EQ(cell(Column::Description, 7), "Material not found");
    EXPECT_EQ(cell(Column::Weight, 7), "  12.500");
    EXPECT_EQ(cell(Column::Volume, 7), "");
    EXPECT_DOUBLE_EQ(sheet.box(PropertyBox::WeightBox), 262.5);
    EXPECT_FALSE(sheet.SheetModified);
}

TEST_F(FormulaLoadTest, RowKindIntegerForms)
{
    const struct {
        const char* rType;
        bool materialRow;
    } cases[] = {{"0x1", true}, {"0x0", false}, {"yes", true}, {"0", false}, {"000", false}, {"$0", false},
        {"$1F", true}, {"-1", true}, {"", true}, {"0x", true}};
    for (const auto& c : cases) {
        load(std::string("[Formula]\nrType1=") + c.rType + "\nMaterial1=resin\nWeight1=10\n");
        EXPECT_EQ(sheet.row(1).RowKind, c.materialRow) << c.rType;
        EXPECT_EQ(cell(Column::Description, 1), c.materialRow ? "Acrylic resin" : "resin") << c.rType;
    }
}

TEST_F(FormulaLoadTest, KeysOutsideTheRowsAreIgnored)
{
    load("[Formula]\nMaterial0=resin\nWeight0=5\nrType0=1\nMaterial37=resin\nWeight37=5\n"
         "Material01=resin\nWeight01=7\n");
    for (int n = 1; n <= SheetRowCount; ++n)
        EXPECT_EQ(cell(Column::Material, n), "") << n;
    EXPECT_EQ(sheet.box(PropertyBox::WeightBox), 0);
}

TEST_F(FormulaLoadTest, ProtectFlag)
{
    EXPECT_TRUE(load("[Properties]\nProtect=1\n"));
    EXPECT_TRUE(load("[Properties]\nProtect=0x1\n"));
    EXPECT_FALSE(load("[Properties]\nProtect=0\n"));
    EXPECT_FALSE(load("[Properties]\nProtect=maybe\n"));
}

TEST_F(FormulaLoadTest, LoadingAFileClearsMarksFirst)
{
    sheet.row(2).marked = true;
    load("[Formula]\nrType1=1\nMaterial1=resin\nWeight1=1\n");
    EXPECT_FALSE(sheet.row(2).marked);
}

TEST_F(FormulaLoadTest, EmptyPathKeepsMarksAndEmptiesEveryRow)
{
    load("[Formula]\nName=Old\nrType1=1\nMaterial1=resin\nWeight1=1\nrType2=0\nMaterial2=note\n");
    sheet.row(1).marked = true;
    EXPECT_FALSE(FormulaLoad(sheet, "", folder.path()));
    EXPECT_TRUE(sheet.row(1).marked);
    EXPECT_EQ(sheet.name(), "");
    for (int n = 1; n <= SheetRowCount; ++n) {
        EXPECT_FALSE(sheet.row(n).RowKind);
        for (int c = 1; c < ColumnCount; ++c)
            EXPECT_EQ(sheet.row(n).cells[c], "") << n << "," << c;
    }
}

TEST_F(FormulaLoadTest, MissingUnreadableOrBinaryFileGivesAnEmptySheet)
{
    load("[Formula]\nName=Old\nrType1=1\nMaterial1=resin\nWeight1=1\n");
    FormulaLoad(sheet, (folder.path() / "absent.tfx").string(), folder.path());
    EXPECT_EQ(sheet.name(), "");
    EXPECT_EQ(cell(Column::Material, 1), "");

    std::string binary(4096, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 131 + 7) % 256);
    load(binary);
    EXPECT_EQ(sheet.box(PropertyBox::WeightBox), 0);

    FormulaLoad(sheet, folder.path().string(), folder.path());  // a folder, not a file
    EXPECT_EQ(sheet.name(), "");
}

TEST_F(FormulaLoadTest, MalformedWeightIsRewrittenAsNoWeight)
{
    load("[Formula]\nrType1=1\nMaterial1=resin\nWeight1=12,5\n");
    EXPECT_EQ(cell(Column::Weight, 1), "");
    EXPECT_EQ(cell(Column::Description, 1), "Acrylic resin");
}

TEST_F(FormulaLoadTest, WeightBeyondTheRowLimitCountsAsMalformed)
{
    load("[Formula]\nrType1=1\nMaterial1=resin\nWeight1=1e308\n"
         "rType2=1\nMaterial2=resin\nWeight2=-100000\n"
         "rType3=1\nMaterial3=nosuch\nWeight3=1e300\n"
         "rType4=1\nMaterial4=resin\nWeight4=99999.999\n");
    EXPECT_EQ(cell(Column::Weight, 1), "");
    EXPECT_EQ(cell(Column::Weight, 2), "");
    EXPECT_EQ(cell(Column::Weight, 3), "");
    EXPECT_EQ(cell(Column::Weight, 4), "99999.999");
    EXPECT_EQ(sheet.box(PropertyBox::WeightBox), 99999.999);
}

// Opening names the material rows whose stored weight loads as none, so
// that the user knows before a save writes them empty.
TEST_F(FormulaLoadTest, WeightsThatCannotBeReadAreNamedInOneMessage)
{
    const std::string formula = "[Formula]\n"
                                "rType1=1\nMaterial1=resin\nWeight1=12,5\n"
                                "rType2=1\nMaterial2=resin\nWeight2=100000\n"
                                "rType3=1\nMaterial3=resin\nWeight3=99999.999\n"
                                "rType4=1\nMaterial4=nosuch\nWeight4=-1e6\n"
                                "rType5=0\nMaterial5=a note\nWeight5=x\n"  // a note row has no weight
                                "rType6=1\nMaterial6=resin\nWeight6=\n"
                                "Material7=tio2\nWeight7=1e999\n"  // rType defaults to a material row
                                "rType8=1\nMaterial8=tio2\nWeight8=  7.5\n";
    load(formula);
    const std::vector<int> rows = unreadWeightRows(IniFile::read(folder.path() / "formula.tfx"));
    EXPECT_EQ(rows, (std::vector<int>{1, 2, 4, 7}));
    for (const int n : rows)
        EXPECT_EQ(cell(Column::Weight, n), "") << n;
    EXPECT_EQ(unreadWeightsNotice(rows),
        "The weights in rows 1, 2, 4 and 7 could not be read (they are not numbers, or more than 99999.999) and "
        "are left empty. Saving the formula writes them empty.");
    EXPECT_EQ(unreadWeightsNotice({12}),
        "The weight in row 12 could not be read (it is not a number, or more than 99999.999) and is left empty. "
        "Saving the formula writes it empty.");
    EXPECT_EQ(unreadWeightsNotice({}), "");
}

TEST_F(FormulaLoadTest, CodeThatWouldLeaveTheFolderIsNotFound)
{
    load("[Formula]\nrType1=1\nMaterial1=../" + folder.path().filename().string() + "/resin\nWeight1=3\n");
    EXPECT_FALSE(sheet.row(1).RowKind);
    EXPECT_EQ(cell(Column::Description, 1), "Material not found");
}

TEST_F(FormulaLoadTest, FormulaFileIsNotChanged)
{
    const std::string text = "[Formula]\r\nName=Keep\r\nrType1=1\r\nMaterial1=resin\r\nWeight1=1.23456\r\n";
    const auto file = folder.write("keep.tfx", text);
    FormulaLoad(sheet, file.string(), folder.path());
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), {}), text);
}

TEST(ReadFormulaFileTest, TellsAFormulaFromAnythingElse)
{
    TempFolder folder;
    std::string picture = "\x89PNG\r\n\x1a\n";
    for (int i = 0; i < 2048; ++i)
        picture += static_cast<char>((i * 131 + 7) % 256);
    std::filesystem::create_directory(folder.path() / "folder.tfx");
    const std::string formula = "[Formula]\r\nName=\xC3\x89mail\r\n";
    std::string unmarked;
    for (char c : formula)
        unmarked += std::string{c, '\0'};
    std::string foreign = formula;  // the formula first, then more sections of something else than it may hold
    for (int i = 0; i < 100000; ++i)
        foreign += "[S" + std::to_string(i) + "]\nk=1\n";
    std::string manyKeys = formula;
    for (std::size_t i = 0; i < MaxIniEntries; ++i)
        manyKeys.append("k").append(std::to_string(i)).append("=1\n");
    const struct {
        const char* name;
        std::optional<std::string> bytes;  // none: nothing written
        FormulaFileState state;
        const char* reason;  // part of the message
    } cases[] = {
        {"absent.tfx", std::nullopt, FormulaFileState::Missing, "does not exist"},
        {"folder.tfx", std::nullopt, FormulaFileState::Unreadable, "cannot be read"},
        {"empty.tfx", "", FormulaFileState::NoFormulaSection, "not a formula file"},
        {"picture.tfx", picture, FormulaFileState::NotText, "not a text file"},
        {"other.tfx", "[Properties]\nProtect=1\n[Memo]\nMemoCount=0\n", FormulaFileState::NoFormulaSection,
            "not a formula file"},
        {"named.tfx", "[Formula]\nName=X\n", FormulaFileState::Formula, ""},
        {"bare.tfx", "; a formula left empty\r\n[ formula ]\r\n", FormulaFileState::Formula, ""},
        {"utf16le.tfx", "\xFF\xFE"s + utf8ToUtf16(formula, Utf16Order::LittleEndian), FormulaFileState::Formula, ""},
        {"utf16be.tfx", "\xFE\xFF"s + utf8ToUtf16(formula, Utf16Order::BigEndian), FormulaFileState::Formula, ""},
        {"unmarked.tfx", unmarked, FormulaFileState::NotText, "not a text file"},
        {"foreign.tfx", foreign, FormulaFileState::Formula, ""},
        {"keys.tfx", manyKeys, FormulaFileState::TooManyEntries, "more than 65536 entries"},
    };
    // A file the user may not read says so (root may read any).
    const auto closed = folder.write("closed.tfx", formula);
    std::filesystem::permissions(closed, std::filesystem::perms::none);
    if (::geteuid() != 0) {
        EXPECT_EQ(formulaFileProblem(readFormulaFile(closed).state, "closed.tfx"),
            "Cannot open \"closed.tfx\": Permission denied.");
    }
    for (const auto& c : cases) {
        const auto path = c.bytes ? folder.write(c.name, *c.bytes) : folder.path() / c.name;
        const FormulaFileRead read = readFormulaFile(path);
        EXPECT_EQ(read.state, c.state) << c.name;
        const std::string problem = formulaFileProblem(read.state, path.string());
        EXPECT_EQ(problem.find(path.string()) != std::string::npos, c.state != FormulaFileState::Formula) << c.name;
        EXPECT_NE(problem.find(c.reason), std::string::npos) << c.name << ": " << problem;
        if (c.state == FormulaFileState::Formula && c.name != "bare.tfx"s) {
            EXPECT_NE(read.contents.readString("Formula", "Name", ""), "") << c.name;
        }
    }
    EXPECT_EQ(
        readFormulaFile(folder.path() / "utf16be.tfx").contents.readString("Formula", "Name", ""), "\xC3\x89mail");
}

TEST(ReadFormulaFileTest, AFileBeyondTheSizeOfAnyFormulaIsNone)
{
    TempFolder folder;
    const auto file = folder.write("huge.tfx", "[Formula]\nName=Huge\n");
    std::filesystem::resize_file(file, MaxFormulaFileBytes + 1);
    EXPECT_EQ(readFormulaFile(file).state, FormulaFileState::TooLarge);
    FormulaSheet sheet;
    FormulaLoad(sheet, file.string(), folder.path());
    EXPECT_EQ(sheet.name(), "");
}

TEST(ShownFileNameTest, ANameWrittenOnWindowsReadsAsWindows1252)
{
    EXPECT_EQ(shownFileName("/f/caf\xE9.tfx"), "caf\xC3\xA9.tfx");
    EXPECT_EQ(shownFileName("/f/caf\xC3\xA9.tfx"), "caf\xC3\xA9.tfx");
    EXPECT_EQ(TitleText("/f/caf\xE9.tfx"), "Tintora 2.31 - [caf\xC3\xA9.tfx]");
}

TEST(ReadFormulaFileTest, WhatWasReadLoadsAsTheNamedFileWould)
{
    TempFolder folder;
    folder.write("resin.rm", "[Material]\nName=resin\nSpec=1.0\n");
    const auto file = folder.write("f.tfx",
        "[Formula]\nName=Read once\nrType1=1\nMaterial1=resin\nWeight1=8\n"
        "[Properties]\nProtect=1\n");
    FormulaSheet byPath;
    FormulaSheet byContents;
    byContents.row(3).marked = true;
    EXPECT_TRUE(FormulaLoad(byPath, file.string(), folder.path()));
    EXPECT_TRUE(FormulaLoad(byContents, readFormulaFile(file).contents, folder.path()));
    EXPECT_FALSE(byContents.row(3).marked);
    EXPECT_EQ(byContents.name(), "Read once");
    for (int n = 1; n <= SheetRowCount; ++n)
        EXPECT_EQ(byContents.row(n).cells, byPath.row(n).cells) << n;
}

TEST(RecentFilePathTest, BareNamesLieInTheFormulaFolder)
{
    EXPECT_EQ(recentFilePath("primer.tfx", "/opt/tintora/Formulas"), "/opt/tintora/Formulas/primer.tfx");
    EXPECT_EQ(recentFilePath("/home/lab/old/primer.tfx", "/opt/tintora/Formulas"), "/home/lab/old/primer.tfx");
}

TEST(TitleTextTest, CaptionNamesTheFileAlone)
{
    EXPECT_EQ(TitleText(""), "Tintora 2.31 - []");
    EXPECT_EQ(TitleText("/home/lab/Formulas/primer.tfx"), "Tintora 2.31 - [primer.tfx]");
    EXPECT_EQ(TitleText("primer.tfx"), "Tintora 2.31 - [primer.tfx]");
    EXPECT_EQ(fileNameOf("/a/b/"), "");
}

}  // namespace
