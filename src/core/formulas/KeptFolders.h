#pragma once
// The Formulas folder and the Materials folder the user chose in Options >
// Folders..., kept in the settings that the window and tintora-report share.
// A kept folder that cannot serve (gone with a removed drive, renamed, no
// longer readable) gives way to the program's own Formulas folder for the run,
// with a message; the setting itself stays, for the folder may come back.
#include <filesystem>
#include <string>
#include <vector>

namespace tintora {

// The settings file is that of the organisation; the keys are in its "Folders" group.
inline constexpr const char* SettingsOrganisation = "Vantrel";
inline constexpr const char* FormulasFolderKey = "Folders/Formulas";
inline constexpr const char* MaterialsFolderKey = "Folders/Materials";

enum class FolderKind { Formulas, Materials };

// "Formulas folder" or "Materials folder".
const char* folderCaption(FolderKind kind);

// Why folder cannot serve as the folder of kind, as a sentence naming it:
// none given, not a full path, missing, not a folder, or not readable (its
// names cannot be listed or its files not opened). Empty when it can serve. A
// folder the user may read but not write serves: a shared library may be
// read-only.
std::string folderProblem(FolderKind kind, const std::string& folder);

// The folders as the settings keep them; empty when none is kept.
struct KeptFolders {
    std::string formulas;
    std::string materials;
};

struct FolderInUse {
    std::filesystem::path folder;
    // Set when a kept folder could not serve: names it and the folder used instead.
    std::string problem;
};

// The folder of kind a run uses: kept when it can serve, else defaultFolder.
FolderInUse folderInUse(FolderKind kind, const std::string& kept, const std::filesystem::path& defaultFolder);

struct FoldersInUse {
    std::filesystem::path formulas;
    std::filesystem::path materials;
    // One message for each kept folder that could not serve, naming it and the folder used instead.
    std::vector<std::string> problems;
};

// The folders a run uses: each kept one that can serve, else defaultFolder.
FoldersInUse foldersInUse(const std::filesystem::path& defaultFolder, const KeptFolders& kept);

}  // namespace tintora
