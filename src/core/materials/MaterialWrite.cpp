#include "core/materials/MaterialWrite.h"

#include "core/materials/MaterialKeys.h"
#include "core/text/IniFile.h"
#include "core/text/NumberText.h"

#include <array>
#include <vector>

namespace tintora {

namespace fs = std::filesystem;

std::string materialCodeOf(std::string_view fileNameText)
{
    const bool hasExtension = fileNameText.size() >= MaterialExtension.size()
        && equalsIgnoringAsciiCase(
            fileNameText.substr(fileNameText.size() - MaterialExtension.size()), MaterialExtension);
    return std::string(
        hasExtension ? fileNameText.substr(0, fileNameText.size() - MaterialExtension.size()) : fileNameText);
}

MaterialFileChoice materialFileFor(const fs::path& folder, std::string_view fileNameText)
{
    if (fileNameText.empty())
        return {{}, "Please enter a file name for the material."};
    const std::string code = materialCodeOf(fileNameText);
    if (!MaterialFiles::codeNamesAFile(code))
        return {{},
            "\"" + std::string(fileNameText)
                + "\" cannot be a material file: it would lie outside the material folder."};
    if (auto existing = MaterialFiles(folder).find(code))
        return {std::move(*existing), {}};
    return {folder / (asciiLower(code) + std::string(MaterialExtension)), {}};
}

WriteResult SetNumbers(const fs::path& folder, std::string_view fileNameText, const Material& material)
{
    const MaterialFileChoice choice = materialFileFor(folder, fileNameText);
    if (!choice.ok())
        return WriteResult::failed(choice.problem);
    return writeIniChanges(choice.file, materialChanges(material, formatCell));
}

std::vector<IniChange> materialChanges(const Material& material, std::string (*numberForm)(double))
{
    std::vector<IniChange> changes;
    changes.push_back({MaterialSection, "Name", asciiLower(material.Name), IniQuoting::Exact, "the name"});
    for (const MaterialPropertyKey& k : MaterialWriteOrder)
        changes.push_back({MaterialSection, k.key, numberForm(material.props.*k.field), IniQuoting::AsWritten});
    return changes;
}

MaterialFileChoice materialToDelete(const fs::path& folder, std::string_view fileNameText)
{
    MaterialFileChoice choice = materialFileFor(folder, fileNameText);
    std::error_code error;
    if (choice.ok() && !fs::exists(choice.file, error))
        return {{}, "There is no material file " + choice.file.filename().string() + " to delete."};
    return choice;
}

WriteResult deleteMaterialFile(const fs::path& folder, std::string_view fileNameText)
{
    const MaterialFileChoice choice = materialFileFor(folder, fileNameText);
    if (!choice.ok())
        return WriteResult::failed(choice.problem);
    return removeFile(choice.file);
}

std::string deleteQuestion(std::string_view fileName)
{
    return "Are you sure you want to delete " + std::string(fileName) + "?";
}

}  // namespace tintora
