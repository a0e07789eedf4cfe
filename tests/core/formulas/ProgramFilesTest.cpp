// Where the program's Formulas folder and help file are found, and the first
// start of an installed program that fills the user's folder.
#include "core/formulas/ProgramFiles.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;
using namespace tintora;

namespace {

std::string contents(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class ProgramFilesTest : public ::testing::Test {
protected:
    ProgramFilesTest()
    {
        places_ = {temp_.path() / "bin", temp_.path() / "share/tintora", temp_.path() / "home/.local/share"};
        fs::create_directories(places_.programFolder);
        fs::create_directories(samples());
        temp_.write("share/tintora/Korvel.html", "installed help");
        temp_.write("share/tintora/Formulas/a.tfx", "[Formula]\n");
        temp_.write("share/tintora/Formulas/water.rm", "[Material]\nSpec=1\n");
    }
    fs::path samples() const { return places_.installedData / "Formulas"; }
    fs::path userFolder() const { return userFormulasFolder(places_); }

    tintora::testing::TempFolder temp_;
    ProgramPlaces places_;
};

TEST_F(ProgramFilesTest, FolderBesideTheProgramWinsAndNothingIsMade)
{
    fs::create_directory(places_.programFolder / "Formulas");
    temp_.write("bin/Korvel.html", "help beside");
    const ProgramFiles files = locateProgramFiles(places_, SeedUserFolder::Yes);
    EXPECT_EQ(files.formulaFolder, places_.programFolder / "Formulas");
    EXPECT_EQ(files.helpFile, places_.programFolder / "Korvel.html");
    EXPECT_FALSE(fs::exists(places_.userDataHome));
}

TEST_F(ProgramFilesTest, FirstStartFillsTheUserFolderOnceAndLaterStartsLeaveItAlone)
{
    ProgramFiles files = locateProgramFiles(places_, SeedUserFolder::Yes);
    EXPECT_EQ(files.formulaFolder, places_.userDataHome / "Tintora/Formulas");
    EXPECT_EQ(files.helpFile, places_.installedData / "Korvel.html");
    EXPECT_TRUE(files.problem.empty());
    EXPECT_EQ(contents(userFolder() / "water.rm"), "[Material]\nSpec=1\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(places_.userDataHome / "Tintora"), {}), 1)
        << "no scratch folder left";

    // The user changes one sample and removes the other: neither comes back.
    temp_.write("home/.local/share/Tintora/Formulas/water.rm", "mine");
    fs::remove(userFolder() / "a.tfx");
    files = locateProgramFiles(places_, SeedUserFolder::Yes);
    EXPECT_EQ(files.formulaFolder, userFolder());
    EXPECT_EQ(contents(userFolder() / "water.rm"), "mine");
    EXPECT_FALSE(fs::exists(userFolder() / "a.tfx"));
}

TEST_F(ProgramFilesTest, WithoutSeedingTheInstalledSamplesAreRead)
{
    EXPECT_EQ(locateProgramFiles(places_, SeedUserFolder::No).formulaFolder, samples());
    EXPECT_FALSE(fs::exists(places_.userDataHome));
}

TEST_F(ProgramFilesTest, AUserFolderThatCannotBeMadeIsReportedAndTheSamplesServe)
{
    fs::create_directories(places_.userDataHome);
    temp_.write("home/.local/share/Tintora", "a file where the folder should be");
    const ProgramFiles files = locateProgramFiles(places_, SeedUserFolder::Yes);
    EXPECT_EQ(files.formulaFolder, samples());
    EXPECT_NE(files.problem.find("Tintora/Formulas"), std::string::npos) << files.problem;
}

}  // namespace
