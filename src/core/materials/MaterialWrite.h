#pragma once
// Writing and deleting material files, for the material editor's Save and Delete.
#include "core/materials/MaterialFile.h"
#include "core/text/IniFile.h"
#include "core/text/SafeWrite.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintora {

// The code a text of the file name box names: the text without ".rm" (in any case).
std::string materialCodeOf(std::string_view fileNameText);

// ".rm" is appended when the text does not end with it (in any case). The
// material file the code already names is kept under its own name, so that
// formulas go on reading the file that is saved; a new file is named in lower
// case. An empty text, and one that would leave the folder ("/" or NUL in it,
// "." or ".." as the code), is refused, saying why the text names no file in
// the folder.
Result<std::filesystem::path> materialFileFor(const std::filesystem::path& folder, std::string_view fileNameText);

// Why the text cannot name a material the editor saves: no code at all
// (empty, ".rm", blanks), or one that is not a plain code: a wildcard or a
// separator (* ? [ ] / \), a control character, blanks at its ends, "." or
// "..". nullopt for a plain code. Delete still finds an existing file by any
// name that stays in the folder, so such a file can be removed.
std::optional<std::string> plainCodeProblem(std::string_view fileNameText);

// The written form: Name (lower case), then Spec, Cost, Pig_Wt, Pig_Vol,
// Vol_Wt, Vol_Vol, Voc_Wt, Voc_Vol in the "%8.3f" form, section [Material],
// in one safe write that keeps the rest of an existing file. Refused, with
// the file untouched, when the text is not a plain code.
Result<FileStamp> SetNumbers(
    const std::filesystem::path& folder, std::string_view fileNameText, const Material& material);

// The changes SetNumbers makes, with the numbers in the given form.
std::vector<IniChange> materialChanges(const Material& material, std::string (*numberForm)(double));

// The file Delete would remove, asked before the question: refused when the
// text names no file, or names one that is not there.
Result<std::filesystem::path> materialToDelete(const std::filesystem::path& folder, std::string_view fileNameText);

// Removes the material file the text names (found as a formula finds it).
Result<> deleteMaterialFile(const std::filesystem::path& folder, std::string_view fileNameText);

// "Are you sure you want to delete <file>?"
std::string deleteQuestion(std::string_view fileName);

}  // namespace tintora
