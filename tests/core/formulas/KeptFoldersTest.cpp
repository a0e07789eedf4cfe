// The folders chosen in Options > Folders...: which one may serve, and which
// ones a run uses when the settings keep folders that are gone.
#include "core/formulas/KeptFolders.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

namespace fs = std::filesystem;
using namespace tintora;

namespace {

class KeptFoldersTest : public ::testing::Test {
protected:
    KeptFoldersTest()
    {
        fs::create_directories(programFolder());
        fs::create_directories(temp_.path() / "lab formulas");
        fs::create_directories(temp_.path() / "shared materials");
        temp_.write("a file", "not a folder");
    }
    fs::path programFolder() const { return temp_.path() / "bin/Formulas"; }
    std::string at(const std::string& name) const { return name.empty() ? name : (temp_.path() / name).string(); }

    tintora::testing::TempFolder temp_;
};

TEST_F(KeptFoldersTest, AFolderServesOnlyWhenItIsAReadableFolderGivenByItsFullPath)
{
    struct Case {
        const char* folder;  // under the test folder; "relative:" for a path as typed
        FolderKind kind;
        const char* told;  // empty: it serves
    };
    const Case cases[] = {
        {"lab formulas", FolderKind::Formulas, ""},
        {"shared materials", FolderKind::Materials, ""},
        {"shared materials/../lab formulas", FolderKind::Materials, ""},
        {"absent", FolderKind::Formulas, "The Formulas folder \"%\" does not exist."},
        {"a file", FolderKind::Materials, "The Materials folder \"%\" is not a folder."},
        {"a file/below", FolderKind::Materials, "The Materials folder \"%\" does not exist."},
        {"relative:Formulas", FolderKind::Formulas, "The Formulas folder \"Formulas\" is not a full path"},
        {"relative:", FolderKind::Materials, "No Materials folder is given."},
    };
    for (const Case& c : cases) {
        const std::string typed = std::string(c.folder);
        const std::string folder = typed.starts_with("relative:") ? typed.substr(9) : at(typed);
        std::string told = c.told;
        if (const auto mark = told.find('%'); mark != std::string::npos)
            told.replace(mark, 1, folder);
        const std::string problem = folderProblem(c.kind, folder);
        if (told.empty())
            EXPECT_EQ(problem, "") << folder;
        else
            EXPECT_EQ(problem.substr(0, told.size()), told) << folder;
    }
}

TEST_F(KeptFoldersTest, AFolderThatCannotBeReadIsRefused)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    const fs::path locked = temp_.path() / "locked";
    fs::create_directory(locked);
    for (const fs::perms kept : {fs::perms::owner_write, fs::perms::owner_read}) {
        fs::permissions(locked, kept);
        EXPECT_EQ(folderProblem(FolderKind::Formulas, locked.string()),
            "The Formulas folder \"" + locked.string() + "\" cannot be read.");
    }
    // Read-only serves: a shared library need not be writable.
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(folderProblem(FolderKind::Formulas, locked.string()), "");
    fs::permissions(locked, fs::perms::owner_all);
}

TEST_F(KeptFoldersTest, EachKeptFolderServesOrGivesWayToTheProgramsOwn)
{
    struct Case {
        const char* formulas;  // kept, under the test folder; empty: none kept
        const char* materials;
        const char* formulasUsed;  // under the test folder; empty: the program's own
        const char* materialsUsed;
        std::size_t problems;
    };
    const Case cases[] = {
        {"", "", "", "", 0},
        {"lab formulas", "shared materials", "lab formulas", "shared materials", 0},
        {"lab formulas", "", "lab formulas", "", 0},
        {"", "shared materials", "", "shared materials", 0},
        {"gone", "shared materials", "", "shared materials", 1},
        {"lab formulas", "gone", "lab formulas", "", 1},
        {"gone", "a file", "", "", 2},
    };
    for (const Case& c : cases) {
        const FoldersInUse used = foldersInUse(programFolder(), {at(c.formulas), at(c.materials)});
        const auto expected = [&](const char* name) { return *name ? fs::path(at(name)) : programFolder(); };
        EXPECT_EQ(used.formulas, expected(c.formulasUsed)) << c.formulas;
        EXPECT_EQ(used.materials, expected(c.materialsUsed)) << c.materials;
        ASSERT_EQ(used.problems.size(), c.problems) << c.formulas << " " << c.materials;
        for (const std::string& problem : used.problems)
            EXPECT_NE(problem.find("Tintora uses \"" + programFolder().string() + "\" instead"), std::string::npos)
                << problem;
    }
}

TEST_F(KeptFoldersTest, TheMessageNamesTheKeptFolderAndItsKind)
{
    const FoldersInUse used = foldersInUse(programFolder(), {at("gone formulas"), at("gone materials")});
    ASSERT_EQ(used.problems.size(), 2u);
    EXPECT_EQ(used.problems[0].rfind("The Formulas folder \"" + at("gone formulas") + "\" does not exist.", 0), 0u);
    EXPECT_EQ(used.problems[1].rfind("The Materials folder \"" + at("gone materials") + "\" does not exist.", 0), 0u);
}

}  // namespace
