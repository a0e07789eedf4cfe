#pragma once
// The folders a report uses when the command line names none: those chosen in
// the window's Options > Folders..., kept in the user's settings file, else
// the Formulas folder the program uses.
#include "core/formulas/KeptFolders.h"

#include <filesystem>

namespace tintora::report {

// The Formulas or the Materials folder. Decided once per run: a kept folder
// that cannot serve, and a settings file that is not read, give one warning
// each, and only when the report needs that folder.
const std::filesystem::path& defaultFolder(FolderKind kind);

}  // namespace tintora::report
