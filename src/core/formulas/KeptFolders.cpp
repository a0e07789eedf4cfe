#include "core/formulas/KeptFolders.h"

#include <system_error>

#include <unistd.h>

namespace fs = std::filesystem;

namespace tintora {

const char* folderCaption(FolderKind kind)
{
    return kind == FolderKind::Formulas ? "Formulas folder" : "Materials folder";
}

std::string folderProblem(FolderKind kind, const std::string& folder)
{
    const std::string caption = folderCaption(kind);
    if (folder.empty())
        return "No " + caption + " is given.";
    const std::string named = "The " + caption + " \"" + folder + "\"";
    const fs::path path(folder);
    if (!path.is_absolute())
        return named + " is not a full path (one that starts with \"/\").";
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status))
        return named + " does not exist.";
    if (!fs::is_directory(status))
        return named + " is not a folder.";
    // Reading a folder takes both: the list of its names and the way to its files.
    if (::access(folder.c_str(), R_OK | X_OK) != 0)
        return named + " cannot be read.";
    return {};
}

FolderInUse folderInUse(FolderKind kind, const std::string& kept, const fs::path& defaultFolder)
{
    if (kept.empty())
        return {defaultFolder, {}};
    std::string problem = folderProblem(kind, kept);
    if (problem.empty())
        return {kept, {}};
    problem += " Tintora uses \"" + defaultFolder.string()
        + "\" instead this time; Options > Folders... chooses another " + folderCaption(kind) + ".";
    return {defaultFolder, std::move(problem)};
}

FoldersInUse foldersInUse(const fs::path& defaultFolder, const KeptFolders& kept)
{
    FolderInUse formulas = folderInUse(FolderKind::Formulas, kept.formulas, defaultFolder);
    FolderInUse materials = folderInUse(FolderKind::Materials, kept.materials, defaultFolder);
    FoldersInUse used{std::move(formulas.folder), std::move(materials.folder), {}};
    for (std::string* problem : {&formulas.problem, &materials.problem})
        if (!problem->empty())
            used.problems.push_back(std::move(*problem));
    return used;
}

}  // namespace tintora
