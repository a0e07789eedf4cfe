#include "core/formulas/ProgramFiles.h"

#include <cstdlib>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace tintora {

namespace {

fs::path runningProgramFolder()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path(ec) : exe.parent_path();
}

fs::path xdgDataHome()
{
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"); dataHome && fs::path(dataHome).is_absolute())
        return dataHome;
    const char* home = std::getenv("HOME");
    return fs::path(home ? home : "/") / ".local/share";
}

bool isFolder(const fs::path& path)
{
    std::error_code ec;
    return fs::is_directory(path, ec);
}

// Copies the installed samples into a scratch folder and renames it to
// `folder`. Returns an empty text, or what went wrong.
std::string seedFolder(const fs::path& samples, const fs::path& folder)
{
    // Appended: GCC 12 at -O3 takes a literal prepended to a string for an overflow.
    std::string scratchName = ".";
    scratchName.append(folder.filename().string()).append("-").append(std::to_string(std::random_device{}()));
    const fs::path scratch = folder.parent_path() / scratchName;
    std::error_code ec;
    if (fs::create_directories(folder.parent_path(), ec); !ec)
        fs::create_directory(scratch, ec);
    // Without installed samples the folder starts empty.
    if (!ec && isFolder(samples)) {
        for (fs::directory_iterator it(samples, ec), end; !ec && it != end; it.increment(ec)) {
            if (it->is_regular_file(ec))
                fs::copy_file(it->path(), scratch / it->path().filename(), ec);
        }
    }
    if (!ec)
        fs::rename(scratch, folder, ec);
    if (!ec)
        return {};
    std::error_code ignored;
    fs::remove_all(scratch, ignored);
    if (isFolder(folder))  // another start made it meanwhile
        return {};
    return "cannot make the folder " + folder.string() + ": " + ec.message();
}

}  // namespace

ProgramPlaces runningProgramPlaces()
{
    const fs::path program = runningProgramFolder();
    return {program, (program / TINTORA_DATA_FROM_PROGRAM).lexically_normal(), xdgDataHome()};
}

fs::path userFormulasFolder(const ProgramPlaces& places)
{
    return places.userDataHome / "Tintora" / FormulasFolderName;
}

ProgramFiles locateProgramFiles(const ProgramPlaces& places, SeedUserFolder seed)
{
    ProgramFiles files;
    const fs::path besideProgram = places.programFolder / FormulasFolderName;
    const fs::path installedSamples = places.installedData / FormulasFolderName;
    const fs::path userFolder = userFormulasFolder(places);
    if (isFolder(besideProgram))
        files.formulaFolder = besideProgram;
    else if (isFolder(userFolder)
        || (seed == SeedUserFolder::Yes && (files.problem = seedFolder(installedSamples, userFolder)).empty()))
        files.formulaFolder = userFolder;
    else
        files.formulaFolder = installedSamples;

    std::error_code ec;
    const fs::path helpBesideProgram = places.programFolder / HelpFileName;
    files.helpFile = fs::exists(helpBesideProgram, ec) ? helpBesideProgram : places.installedData / HelpFileName;
    return files;
}

}  // namespace tintora
