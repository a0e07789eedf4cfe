#pragma once
// Where the program finds its Formulas folder (formulas and materials) and its
// help file. A Formulas folder beside the program wins: the build tree and a
// portable copy work as they always have. An installed program keeps them in
// the user's own folder under the XDG data home instead, made on the first
// start from the samples installed with the program.
#include <filesystem>
#include <string>

namespace tintora {

inline constexpr const char* FormulasFolderName = "Formulas";
inline constexpr const char* HelpFileName = "Korvel.html";

struct ProgramPlaces {
    std::filesystem::path programFolder;  // the folder of the running program
    std::filesystem::path installedData;  // share/tintora of an installed program
    std::filesystem::path userDataHome;  // the XDG data home, e.g. ~/.local/share
};

// The places of the running program: its folder, the data folder installed
// beside it (relative to the program, so that a package installs anywhere) and
// the XDG data home ($XDG_DATA_HOME when absolute, else ~/.local/share).
ProgramPlaces runningProgramPlaces();

// The user's own Formulas folder of an installed program.
std::filesystem::path userFormulasFolder(const ProgramPlaces& places);

struct ProgramFiles {
    std::filesystem::path formulaFolder;  // both the formula and the material folder
    std::filesystem::path helpFile;
    std::string problem;  // set when the user's folder could not be made; the installed samples serve instead
};

enum class SeedUserFolder { No, Yes };

// With SeedUserFolder::Yes a missing user folder is made and filled with
// copies of the installed samples, all at once: the copies are made in a
// scratch folder beside it that is then renamed, so an interrupted first start
// leaves no half-filled folder. An existing folder is never touched. With No
// (tintora-report) nothing is made; without a user folder the installed
// samples are read.
ProgramFiles locateProgramFiles(const ProgramPlaces& places, SeedUserFolder seed);

}  // namespace tintora
