#include "core/materials/MaterialFile.h"
#include "core/materials/MaterialCheck.h"
#include "core/materials/MaterialWrite.h"

#include "TempFolder.h"
#include "core/text/IniFile.h"
#include "core/text/TextEncoding.h"

#include <gtest/gtest.h>

using namespace tintora;
using tintora::testing::TempFolder;

namespace {

constexpr const char* Rutile = "[Material]\n"
                               "Name=TITANIUM dioxide\n"
                               "Spec=   4.100\n"
                               "Cost=   1.850\n"
                               "Pig_Wt=   1.000\n"
                               "Pig_Vol=   1.000\n";

class MaterialLoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write("tio2.rm", Rutile);
        folder.write("Water.rm", "[Material]\nName=water\nSpec=1\nVol_Wt=1\nVol_Vol=1\n");
        folder.write("nokeys.rm", "[Other]\nName=ignored\n");
        folder.write("noname.rm", "[Material]\nSpec=2\n");
    }
    void load(int n, const std::string& code)
    {
        sheet.setCell(Column::Material, n, code);
        MaterialLoad(sheet, n, MaterialFiles(folder.path()));
    }

    TempFolder folder;
    FormulaSheet sheet;
};

TEST_F(MaterialLoadTest, KnownCodeMakesAMaterialRowAndKeepsTheWeight)
{
    sheet.setCell(Column::Weight, 3, "  25.000");
    sheet.row(3).marked = true;
    load(3, "Tio2");
    const SheetRow& row = sheet.row(3);
    EXPECT_TRUE(row.RowKind);
    EXPECT_EQ(row.cells[2], "Titanium dioxide");
    EXPECT_EQ(row.cells[1], "Tio2");
    EXPECT_EQ(row.cells[3], "  25.000");
    EXPECT_TRUE(row.marked);
    EXPECT_DOUBLE_EQ(row.props.Spec, 4.1);
    EXPECT_DOUBLE_EQ(row.props.Cost, 1.85);
    EXPECT_DOUBLE_EQ(row.props.Pig_Wt, 1.0);
    EXPECT_DOUBLE_EQ(row.props.Vol_Wt, 0.0);
}

TEST_F(MaterialLoadTest, UnknownCodeEmptiesAMaterialRow)
{
    load(1, "tio2");
    sheet.setCell(Column::Weight, 1, "10");
    sheet.setCell(Column::Volume, 1, "1");
    sheet.setCell(Column::Percent, 1, "100");
    load(1, "nosuch");
    const SheetRow& row = sheet.row(1);
    EXPECT_FALSE(row.RowKind);
    EXPECT_EQ(row.props, RowMaterialProps{});
    for (int c = 1; c < ColumnCount; ++c)
        EXPECT_EQ(row.cells[c], "");
}

TEST_F(MaterialLoadTest, EmptyCodeOnAMaterialRowClearsIt)
{
    load(1, "tio2");
    load(1, "");
    EXPECT_FALSE(sheet.row(1).RowKind);
    EXPECT_EQ(sheet.cell(Column::Description, 1), "");
}

TEST_F(MaterialLoadTest, UnknownCodeStaysOnATextRow)
{
    sheet.setCell(Column::Description, 2, "a note");
    load(2, "nosuch");
    EXPECT_FALSE(sheet.row(2).RowKind);
    EXPECT_EQ(sheet.cell(Column::Material, 2), "nosuch");
    EXPECT_EQ(sheet.cell(Column::Description, 2), "a note");
}

TEST_F(MaterialLoadTest, FileWithoutMaterialSectionLoadsDefaults)
{
    load(1, "NOKEYS");
    EXPECT_TRUE(sheet.row(1).RowKind);
    EXPECT_EQ(sheet.cell(Column::Description, 1), "No name");
    EXPECT_EQ(sheet.row(1).props, RowMaterialProps{});
}

TEST_F(MaterialLoadTest, MissingNameShowsNoName)
{
    load(1, "noname");
    EXPECT_EQ(sheet.cell(Column::Description, 1), "No name");
    EXPECT_DOUBLE_EQ(sheet.row(1).props.Spec, 2.0);
}

TEST_F(MaterialLoadTest, MalformedNumberCountsAsZeroAndTheRestIsRead)
{
    folder.write("odd.rm", "[Material]\nName=odd\nSpec=1,5\nCost=12x\nVol_Wt=0.25\n");
    load(1, "odd");
    EXPECT_TRUE(sheet.row(1).RowKind);
    EXPECT_DOUBLE_EQ(sheet.row(1).props.Spec, 0);
    EXPECT_DOUBLE_EQ(sheet.row(1).props.Cost, 0);
    EXPECT_DOUBLE_EQ(sheet.row(1).props.Vol_Wt, 0.25);
}

TEST_F(MaterialLoadTest, WindowsTextKeepsItsAccents)
{
    folder.write("creme.rm", "[Material]\nName=cr\xE8me base\n");
    load(1, "creme");
    EXPECT_EQ(sheet.cell(Column::Description, 1), "Cr\xC3\xA8me base");
}

struct LookupCase {
    const char* code;
    const char* expectedFile;  // nullptr: no file
};

class MaterialFilesTest : public ::testing::TestWithParam<LookupCase> { };

TEST_P(MaterialFilesTest, FindsFilesWithoutRegardToCase)
{
    TempFolder folder;
    folder.write("tio2.rm", "");
    folder.write("Water.rm", "");
    folder.write("MiXeD.rm", "");
    folder.write("MIXED.rm", "");
    folder.write("white.paint.rm", "");
    folder.write("..rm", "");
    folder.write("\xE9tain.rm", "");  // written on Windows: Windows-1252 bytes
    std::filesystem::create_directories(folder.path() / "sub");
    folder.write("sub/inner.rm", "");
    std::filesystem::create_directories(folder.path() / "dir.rm");
    const auto found = MaterialFiles(folder.path()).find(GetParam().code);
    if (GetParam().expectedFile == nullptr) {
        EXPECT_FALSE(found) << found->string();
    } else {
        ASSERT_TRUE(found);
        EXPECT_EQ(found->filename().string(), GetParam().expectedFile);
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, MaterialFilesTest,
    ::testing::Values(LookupCase{"tio2", "tio2.rm"}, LookupCase{"Tio2", "tio2.rm"}, LookupCase{"TIO2", "tio2.rm"},
        LookupCase{"Water", "Water.rm"}, LookupCase{"water", "Water.rm"}, LookupCase{"WATER", "Water.rm"},
        // no exact or lower-case name: the first match in byte order
        LookupCase{"mixed", "MIXED.rm"}, LookupCase{"MiXeD", "MiXeD.rm"}, LookupCase{"White.paint", "white.paint.rm"},
        LookupCase{"nosuch", nullptr}, LookupCase{"", nullptr}, LookupCase{".", nullptr}, LookupCase{"..", nullptr},
        LookupCase{"sub/inner", nullptr}, LookupCase{"../tio2", nullptr}, LookupCase{"dir", nullptr},
        LookupCase{"tio2 ", nullptr},
        // codes are UTF-8 text; the name on disk is Windows-1252 bytes
        LookupCase{"\xC3\xA9tain", "\xE9tain.rm"}, LookupCase{"\xC3\xA9TAIN", "\xE9tain.rm"}));

TEST_F(MaterialLoadTest, AFileTooLargeForAMaterialCountsAsMissing)
{
    folder.write("huge.rm", "[Material]\nName=huge\nSpec=1\n" + std::string(MaxMaterialFileBytes, ';'));
    sheet.setCell(Column::Weight, 1, "5");
    load(1, "tio2");
    load(1, "huge");
    EXPECT_FALSE(sheet.row(1).RowKind);
    EXPECT_EQ(sheet.cell(Column::Weight, 1), "");
}

TEST(MaterialFilesReadTest, EachFileIsReadOnceInALookup)
{
    TempFolder folder;
    const auto file = folder.write("tio2.rm", Rutile);
    const MaterialFiles files(folder.path());
    const Material* first = files.material("tio2");
    ASSERT_NE(first, nullptr);
    folder.write("tio2.rm", "[Material]\nName=changed\n");
    EXPECT_EQ(files.material("TIO2"), first);  // another code, the same file
    EXPECT_EQ(first->Name, "TITANIUM dioxide");
    EXPECT_EQ(MaterialFiles(folder.path()).material("tio2")->Name, "changed");
    EXPECT_EQ(files.material("nosuch"), nullptr);
    // another name for the same file: a symbolic link, a hard link
    std::filesystem::create_symlink("tio2.rm", folder.path() / "rutile.rm");
    std::filesystem::create_hard_link(file, folder.path() / "r902.rm");
    EXPECT_EQ(files.material("rutile"), first);
    EXPECT_EQ(files.material("r902"), first);
}

TEST(MaterialFilesCodeTest, CodeWithNulNamesNoFile)
{
    EXPECT_FALSE(MaterialFiles::codeNamesAFile(std::string_view("tio2\0x", 6)));
    EXPECT_TRUE(MaterialFiles::codeNamesAFile("tio2"));
}

TEST(SetNumbersTest, WrittenFormReadsBackToTheSameValues)
{
    TempFolder folder;
    Material material;
    material.Name = "Calcium CARBONATE";
    material.props = {2.71, 0.105, 0, 0, 1, 1, 0, 0};
    material.props.Vol_Wt = 0.25;
    ASSERT_TRUE(SetNumbers(folder.path(), "CaCO3.rm", material));

    const auto file = folder.path() / "caco3.rm";
    const Material read = readMaterial(file);
    EXPECT_EQ(read.Name, "calcium carbonate");
    EXPECT_EQ(read.props, material.props);
    const IniFile ini = IniFile::read(file);
    EXPECT_EQ(ini.readString("Material", "Vol_Wt", "?"), "0.250");  // written "   0.250", read trimmed
}

TEST(SetNumbersTest, WritesKeysInOrderAndKeepsTheRestOfTheFile)
{
    TempFolder folder;
    folder.write("resin.rm", "; lab copy\r\n[Material]\r\nCost=9\r\nSupplier=ours\r\n");
    Material material;
    material.Name = "Resin";
    material.props.Spec = 1.05;
    material.props.Cost = 0.95;
    ASSERT_TRUE(SetNumbers(folder.path(), "Resin.RM", material));
    std::ifstream in(folder.path() / "resin.rm", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text,
        "; lab copy\r\n[Material]\r\nCost=   0.950\r\nSupplier=ours\r\nName=resin\r\nSpec=   1.050\r\n"
        "Pig_Wt=   0.000\r\nPig_Vol=   0.000\r\nVol_Wt=   0.000\r\nVol_Vol=   0.000\r\n"
        "Voc_Wt=   0.000\r\nVoc_Vol=   0.000\r\n");
}

}  // namespace

namespace {

TEST(MaterialFilesTogetherTest, FindingManyCodesAtOnceGivesWhatEachFindGives)
{
    TempFolder folder;
    for (const char* name :
        {"tio2.rm", "Water.rm", "MiXeD.rm", "MIXED.rm", "white.paint.rm", "notes.txt", "mixed.RM.bak", "\xC9TAIN.rm"})
        folder.write(name, "");
    std::filesystem::create_directories(folder.path() / "dir.rm");
    const std::vector<std::string> codes = {"Tio2", "WATER", "mixed", "Mixed", "White.paint", "nosuch", "", "..", "a/b",
        "dir", "notes", "Tio2", "\xC3\x89tain"};
    const MaterialFiles together(folder.path());
    together.findAll(codes);
    for (const std::string& code : codes)
        EXPECT_EQ(together.find(code), MaterialFiles(folder.path()).find(code)) << code;
    EXPECT_EQ(together.find("mixed")->filename(), "MIXED.rm");
}

}  // namespace

// UTF-16 with its mark is a material like any other, also after many foreign
// sections; UTF-16 without it is no text: a missing material, and
// --check-materials names it.
TEST_F(MaterialLoadTest, Utf16WithItsMarkLoadsAndWithoutItCountsAsMissing)
{
    std::string foreign = Rutile;
    for (int i = 0; i < 100000; ++i)
        foreign += "[S" + std::to_string(i) + "]\n";
    std::string unmarked;
    for (char c : std::string(Rutile))
        unmarked += std::string{c, '\0'};
    folder.write("le.rm", "\xFF\xFE" + utf8ToUtf16(Rutile, Utf16Order::LittleEndian));
    folder.write("be.rm", "\xFE\xFF" + utf8ToUtf16(Rutile, Utf16Order::BigEndian));
    folder.write("foreign.rm", foreign);
    folder.write("unmarked.rm", unmarked);
    for (const char* code : {"le", "be", "foreign"}) {
        load(1, code);
        EXPECT_EQ(sheet.cell(Column::Description, 1), "Titanium dioxide") << code;
        EXPECT_DOUBLE_EQ(sheet.row(1).props.Spec, 4.1) << code;
    }
    load(1, "unmarked");
    EXPECT_FALSE(sheet.row(1).RowKind);
    bool named = false;
    for (const MaterialFinding& finding : checkMaterialFolder(folder.path()))
        if (finding.file == "unmarked.rm")
            named = finding.problem.fault == MaterialFault::NotIni;
    EXPECT_TRUE(named);
}
