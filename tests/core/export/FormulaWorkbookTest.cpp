// The workbook writer's files: names as long as any save takes, and nothing
// left behind by a kill once its leftovers are a minute old, in the target's
// folder or anywhere else.
#include "core/export/FormulaWorkbook.h"

#include "TempFolder.h"
#include "core/calc/Calculate.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <random>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace tintora {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

FormulaSheet smallFormula()
{
    FormulaSheet sheet;
    sheet.setName("Small");
    sheet.setCell(Column::Material, 1, "water");
    sheet.setCell(Column::Weight, 1, "100");
    sheet.row(1).RowKind = true;
    sheet.row(1).props.Spec = 1;
    Calculate(sheet);
    return sheet;
}

std::size_t entriesIn(const fs::path& folder)
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++count;
    return count;
}

void ageEverythingIn(const fs::path& folder)
{
    for (const auto& entry : fs::directory_iterator(folder))
        fs::last_write_time(entry.path(), fs::file_time_type::clock::now() - std::chrono::minutes(2));
}

TEST(FormulaWorkbook, NamesUpToTheLongestAllowedAreWritten)
{
    TempFolder folder;
    for (const std::size_t length : {200u, 243u, 250u, 255u}) {
        const fs::path target = folder.path() / (std::string(length - 5, 'w') + ".xlsx");
        const Result<FileStamp> written = writeFormulaWorkbook(target, "small.tfx", smallFormula());
        EXPECT_TRUE(written.ok()) << length << ": " << written.problem();
        EXPECT_EQ(entriesIn(folder.path()), 1u) << length;
        fs::remove(target);
    }
}

// The library's scratch files go beside the target, not to TMPDIR.
TEST(FormulaWorkbook, AKilledWriteLeavesNothingOnceTidied)
{
    TempFolder scratch;
    const fs::path folder = scratch.path() / "target";
    const fs::path elsewhere = scratch.path() / "tmp";
    fs::create_directories(folder);
    fs::create_directories(elsewhere);
    const fs::path target = folder / "kill.xlsx";
    std::mt19937 random(20261208);
    for (int round = 0; round < 15; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::setenv("TMPDIR", elsewhere.c_str(), 1);
            const FormulaSheet sheet = smallFormula();
            for (;;)
                if (!writeFormulaWorkbook(target, "small.tfx", sheet))
                    ::_exit(1);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution(0, 20000)(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ageEverythingIn(folder);
        removeStaleTemporaries(folder);
        EXPECT_LE(entriesIn(folder), 1u) << "round " << round;
        EXPECT_EQ(entriesIn(elsewhere), 0u) << "round " << round;
    }
}

}  // namespace
}  // namespace tintora
