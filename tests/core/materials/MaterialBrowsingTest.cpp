#include "core/materials/MaterialBrowsing.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace tintora;
using tintora::testing::TempFolder;

namespace {

std::vector<std::string> captions(const std::vector<ListedFile>& items)
{
    std::vector<std::string> out;
    for (const ListedFile& f : items)
        out.push_back(f.caption);
    return out;
}

// --- the file list ---------------------------------------------------------------

TEST(MaterialFolderListing, ListsEveryRmNameSortedWithoutRegardToCase)
{
    TempFolder folder;
    for (const char* name : {"b.rm", "A.RM", "c.Rm", "notes.txt", "x.rmx", "rm", ".hidden.rm", "tio2.rm", "TIO2.rm"})
        folder.write(name, "[Material]\n");
    std::filesystem::create_directory(folder.path() / "sub.rm");
    std::filesystem::create_directory(folder.path() / "other");

    const auto items = listMaterialFolder(folder.path());
    EXPECT_EQ(captions(items),
        (std::vector<std::string>{".hidden.rm", "A.RM", "b.rm", "c.Rm", "sub.rm", "TIO2.rm", "tio2.rm"}));
    for (const ListedFile& f : items) {
        EXPECT_EQ(f.folder, f.name == "sub.rm") << f.name;
        EXPECT_EQ(f.name, f.caption);
    }
    // the drop-down under a Material cell: in the same order, files only, none hidden
    EXPECT_EQ(captions(listMaterialFiles(folder.path())),
        (std::vector<std::string>{"A.RM", "b.rm", "c.Rm", "TIO2.rm", "tio2.rm"}));
}

TEST(MaterialFolderListing, ANameInTheOldCodePageIsShownInUtf8AndKeptAsOnDisk)
{
    TempFolder folder;
    folder.write("cr\xE8me.rm", "[Material]\n");
    const auto items = listMaterialFolder(folder.path());
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].name, "cr\xE8me.rm");
    EXPECT_EQ(items[0].caption, "cr\xC3\xA8me.rm");
}

TEST(MaterialFolderListing, NoFolderGivesAnEmptyList)
{
    TempFolder folder;
    const auto file = folder.write("plain.rm", "");
    EXPECT_TRUE(listMaterialFolder(folder.path() / "missing").empty());
    EXPECT_TRUE(listMaterialFolder(file).empty());
    EXPECT_TRUE(listMaterialFolder({}).empty());
}

// --- which item a code or a typed name stands for ---------------------------------

const std::vector<ListedFile> Items
    = {{"alpha.rm", "alpha.rm"}, {"TIO2.rm", "TIO2.rm"}, {"tio2.rm", "tio2.rm"}, {"Water.rm", "Water.rm"}};

struct StartCase {
    const char* code;
    std::optional<std::size_t> item;
};

class StartItemTest : public ::testing::TestWithParam<StartCase> { };

TEST_P(StartItemTest, FindsTheCodesFileWithoutRegardToCase)
{
    EXPECT_EQ(startItem(Items, GetParam().code), GetParam().item);
}

INSTANTIATE_TEST_SUITE_P(Cases, StartItemTest,
    ::testing::Values(StartCase{"Tio2", 1}, StartCase{"water", 3}, StartCase{"ALPHA", 0}, StartCase{"", std::nullopt},
        StartCase{"tio", std::nullopt}, StartCase{"tio2.rm", std::nullopt}, StartCase{" tio2", std::nullopt},
        StartCase{"../tio2", std::nullopt}));

struct FileBoxCase {
    const char* text;
    std::optional<std::size_t> chosen;
    std::optional<std::size_t> item;
};

class FileBoxItemTest : public ::testing::TestWithParam<FileBoxCase> { };

TEST_P(FileBoxItemTest, PrefersTheChosenItemWhileTheTextNamesIt)
{
    const FileBoxCase& c = GetParam();
    EXPECT_EQ(itemForFileBox(Items, c.text, c.chosen), c.item);
}

INSTANTIATE_TEST_SUITE_P(Cases, FileBoxItemTest,
    ::testing::Values(FileBoxCase{"tio2.rm", std::nullopt, 1}, FileBoxCase{"tio2.rm", 2, 2},
        FileBoxCase{"tio2.rm", 1, 1}, FileBoxCase{"tio2.rm", 3, 1}, FileBoxCase{"water.rm", 99, 3},
        FileBoxCase{"t", 1, std::nullopt}, FileBoxCase{"tio", std::nullopt, std::nullopt},
        FileBoxCase{"tio2.r", 2, std::nullopt}, FileBoxCase{"*.rm", std::nullopt, std::nullopt},
        FileBoxCase{"", 0, std::nullopt}));

TEST(FileBoxItem, EmptyListHasNoItem)
{
    EXPECT_EQ(itemForFileBox({}, "tio2.rm", 0), std::nullopt);
    EXPECT_EQ(startItem({}, "tio2"), std::nullopt);
}

// --- what the boxes show -------------------------------------------------------------

class MaterialViewTest : public ::testing::Test {
protected:
    TempFolder root;
    std::filesystem::path folder = root.path() / "Formulas";
    void SetUp() override { std::filesystem::create_directory(folder); }
    void write(const std::string& name, std::string_view bytes) const
    {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }
};

TEST_F(MaterialViewTest, EveryKeyGoesToItsOwnProperty)
{
    write("all.rm",
        "[material]\nNAME=Titanium DIOXIDE\nSpec=1.1\nCost=2.2\nPig_Wt=3.3\nPig_Vol=4.4\n"
        "Vol_Wt=5.5\nVol_Vol=6.6\nVoc_Wt=7.7\nVoc_Vol=8.8\n");
    const MaterialView view = readMaterialView(folder, "all.rm");
    EXPECT_EQ(view.name, "titanium dioxide");
    EXPECT_DOUBLE_EQ(view.props.Spec, 1.1);
    EXPECT_DOUBLE_EQ(view.props.Cost, 2.2);
    EXPECT_DOUBLE_EQ(view.props.Pig_Wt, 3.3);
    EXPECT_DOUBLE_EQ(view.props.Pig_Vol, 4.4);
    EXPECT_DOUBLE_EQ(view.props.Vol_Wt, 5.5);
    EXPECT_DOUBLE_EQ(view.props.Vol_Vol, 6.6);
    EXPECT_DOUBLE_EQ(view.props.Voc_Wt, 7.7);
    EXPECT_DOUBLE_EQ(view.props.Voc_Vol, 8.8);
}

struct ViewCase {
    const char* label;
    const char* fileName;
    const char* bytes;  // written under fileName unless null
    const char* name;
    double spec;
    double cost;
};

class MaterialViewCases : public MaterialViewTest, public ::testing::WithParamInterface<ViewCase> { };

TEST_P(MaterialViewCases, ShowsWhatTheFileHoldsAndEmptyOrZeroForTheRest)
{
    const ViewCase& c = GetParam();
    if (c.bytes)
        write(c.fileName, c.bytes);
    const MaterialView view = readMaterialView(folder, c.fileName);
    EXPECT_EQ(view.name, c.name);
    EXPECT_DOUBLE_EQ(view.props.Spec, c.spec);
    EXPECT_DOUBLE_EQ(view.props.Cost, c.cost);
    EXPECT_DOUBLE_EQ(view.props.Voc_Vol, 0.0);
}

INSTANTIATE_TEST_SUITE_P(Cases, MaterialViewCases,
    ::testing::Values(ViewCase{"NoNameKeyIsEmptyNotNoName", "noname.rm", "[Material]\nSpec=2\n", "", 2, 0},
        ViewCase{"NoSection", "other.rm", "[Other]\nName=ignored\nSpec=9\n", "", 0, 0},
        ViewCase{"EmptyFile", "empty.rm", "", "", 0, 0}, ViewCase{"MissingFile", "gone.rm", nullptr, "", 0, 0},
        ViewCase{"MalformedNumbersReadAsZero", "bad.rm", "[Material]\nName=x\nSpec=1,5\nCost=12x\n", "x", 0, 0},
        ViewCase{"NumberTextRule", "rule.rm", "[Material]\nSpec=   1.500\nCost=1.5E2\n", "", 1.5, 150},
        ViewCase{"PointWithoutDigits", "point.rm", "[Material]\nSpec=12.\nCost=-0.5\n", "", 12, -0.5},
        ViewCase{"AccentsKept", "creme.rm", "[Material]\nName=CR\xC8ME Tint\n", "cr\xC3\x88me tint", 0, 0},
        ViewCase{"DotIsNoFile", ".", nullptr, "", 0, 0}),
    [](const auto& testInfo) { return std::string(testInfo.param.label); });

TEST_F(MaterialViewTest, ANameLeavingTheFolderReadsNothing)
{
    std::ofstream(root.path() / "outside.rm") << "[Material]\nName=outside\nSpec=3\n";
    for (const char* name : {"../outside.rm", "..", "sub/../../outside.rm"}) {
        const MaterialView view = readMaterialView(folder, name);
        EXPECT_EQ(view, MaterialView{}) << name;
    }
}

TEST_F(MaterialViewTest, AFolderNamedLikeAMaterialReadsAsEmpty)
{
    std::filesystem::create_directory(folder / "sub.rm");
    EXPECT_EQ(readMaterialView(folder, "sub.rm"), MaterialView{});
}

// --- where the dialog opens ----------------------------------------------------------

struct PositionCase {
    ScreenPoint main;
    ScreenArea screen;
    ScreenPoint expected;
};

class EditorPositionTest : public ::testing::TestWithParam<PositionCase> { };

TEST_P(EditorPositionTest, OpensBelowRightOfTheMainWindowAndStaysOnScreen)
{
    const PositionCase& c = GetParam();
    EXPECT_EQ(materialEditorPosition(c.main, 430, 400, c.screen), c.expected);
}

constexpr ScreenArea Screen{0, 0, 1024, 768};

INSTANTIATE_TEST_SUITE_P(Cases, EditorPositionTest,
    ::testing::Values(PositionCase{{100, 100}, Screen, {160, 150}},
        PositionCase{{-200, -100}, Screen, {0, 0}},  // negative becomes 0
        PositionCase{{-30, -20}, Screen, {30, 30}},  // only the result is clamped
        PositionCase{{800, 500}, Screen, {594, 368}},  // both edges would be passed
        PositionCase{{534, 318}, Screen, {594, 368}},  // exactly at the edges: kept
        PositionCase{{1000, 10}, {1024, 0, 1280, 1024}, {1060, 60}},
        PositionCase{{2300, 10}, {1024, 0, 1280, 1024}, {1874, 60}}));

// --- reading the formula again --------------------------------------------------------

TEST(ReloadAfterMaterialEditor, OnlyWithAutoReloadAndAFormulaFileToRead)
{
    TempFolder folder;
    const auto formula = folder.write("primer.tfx", "[Formula]\nName=Primer\n");
    const struct {
        bool autoReload;
        std::filesystem::path path;
        bool reloads;
    } cases[] = {
        {true, formula, true}, {false, formula, false}, {true, {}, false},  // untitled: reading would empty the sheet
        {true, folder.path() / "gone.tfx", false},  // its file has gone
        {true, folder.path(), false},  // not a file
    };
    for (const auto& c : cases)
        EXPECT_EQ(reloadsAfterMaterialEditor(c.autoReload, c.path), c.reloads) << c.path << " " << c.autoReload;
}

}  // namespace
