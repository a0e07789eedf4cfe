#include "core/materials/MaterialWrite.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace tintora;
using tintora::testing::TempFolder;

namespace {

struct NameCase {
    std::string typed;
    const char* file;  // nullptr: refused
};

void PrintTo(const NameCase& c, std::ostream* out)
{
    *out << '"' << c.typed << '"';
}

class MaterialFileName : public ::testing::TestWithParam<NameCase> { };

TEST_P(MaterialFileName, NamesAFileInTheFolderOrIsRefused)
{
    TempFolder folder;
    folder.write("Water.rm", "[Material]\nName=water\n");
    const NameCase& c = GetParam();
    const Result<std::filesystem::path> choice = materialFileFor(folder.path(), c.typed);
    if (c.file) {
        ASSERT_TRUE(choice.ok()) << choice.problem();
        EXPECT_EQ(choice.value(), folder.path() / c.file);
    } else {
        EXPECT_FALSE(choice.ok());
        EXPECT_FALSE(choice.problem().empty());
        EXPECT_FALSE(SetNumbers(folder.path(), c.typed, Material{}));
        EXPECT_FALSE(deleteMaterialFile(folder.path(), c.typed));
        EXPECT_FALSE(materialToDelete(folder.path(), c.typed).ok());
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, MaterialFileName,
    ::testing::Values(NameCase{"MyWhite", "mywhite.rm"}, NameCase{"mywhite.RM", "mywhite.rm"},
        NameCase{"white.paint", "white.paint.rm"}, NameCase{"WATER", "Water.rm"}, NameCase{"water.rm", "Water.rm"},
        NameCase{"..rm", nullptr}, NameCase{"", nullptr}, NameCase{".", nullptr}, NameCase{"..", nullptr},
        NameCase{"...rm", nullptr}, NameCase{".rm", nullptr}, NameCase{"../up", nullptr}, NameCase{"/etc/x", nullptr},
        NameCase{std::string("a\0b", 3), nullptr}));

// Save takes only a plain code: a wildcard or a separator would make a file
// that lists as a code no formula can mean (the file name box once offered "*.rm").
TEST(MaterialWrite, SaveRefusesWhatIsNotAPlainCode)
{
    TempFolder folder;
    for (const std::string typed :
        {"*.rm", "*", "a?.rm", "[ab].rm", "a]", "back\\slash", "tab\there", " x.rm", "x .rm", "   .rm", ".rm", ""}) {
        const auto problem = plainCodeProblem(typed);
        ASSERT_TRUE(problem) << typed;
        EXPECT_EQ(SetNumbers(folder.path(), typed, Material{}).problem(), *problem) << typed;
        EXPECT_TRUE(typed.find_first_not_of(" .rm") == std::string::npos || problem->find(typed) != std::string::npos)
            << *problem;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 0);
    for (const char* typed : {"tio2", "ti-o2.rm", "white paint", "2.5%", "é"})
        EXPECT_EQ(plainCodeProblem(typed), std::nullopt) << typed;
}

TEST(MaterialWrite, SavedMaterialReadsBackAndDeleteRemovesIt)
{
    TempFolder folder;
    Material material;
    material.Name = "My WHITE";
    material.props = {1.5, 0.4567, 0.25, 0, 1, 1, 0.1, 0.0004};
    ASSERT_TRUE(SetNumbers(folder.path(), "MyWhite", material));
    const auto file = folder.path() / "mywhite.rm";
    const Material read = readMaterial(file);
    EXPECT_EQ(read.Name, "my white");
    EXPECT_EQ(read.props, (RowMaterialProps{1.5, 0.457, 0.25, 0, 1, 1, 0.1, 0}));
    // An optional key is written with a value and removed without one; absent is never 0.
    material.props.Oil_Abs = 18.5;
    ASSERT_TRUE(SetNumbers(folder.path(), "MyWhite", material));
    EXPECT_EQ(readMaterial(file).props.Oil_Abs, 18.5);
    EXPECT_FALSE(readMaterial(file).props.EUVoc_Wt);
    material.props.Oil_Abs.reset();
    ASSERT_TRUE(SetNumbers(folder.path(), "MyWhite", material));
    EXPECT_FALSE(IniFile::read(file).value("Material", "Oil_Abs"));

    EXPECT_EQ(deleteQuestion("mywhite.rm"), "Are you sure you want to delete mywhite.rm?");
    ASSERT_TRUE(deleteMaterialFile(folder.path(), "MYWHITE.rm"));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(materialToDelete(folder.path(), "mywhite").problem(), "There is no material file mywhite.rm to delete.");
    EXPECT_EQ(deleteMaterialFile(folder.path(), "mywhite").problem(),
        "Cannot delete \"" + file.string() + "\": No such file or directory.");
}

TEST(MaterialWrite, AFolderThatCannotBeWrittenChangesNothing)
{
    TempFolder folder;
    const auto file = folder.write("resin.rm", "[Material]\nName=resin\n");
    setWriteFaultInjector([](WriteStep) { return std::optional(EACCES); });
    const Result<FileStamp> result = SetNumbers(folder.path(), "resin", Material{});
    setWriteFaultInjector(nullptr);
    EXPECT_EQ(result.problem(), cannotWrite(file, "Permission denied"));
    EXPECT_EQ(readMaterial(file).Name, "resin");
}

}  // namespace
