#include "core/materials/MaterialWrite.h"

#include "core/materials/MaterialKeys.h"
#include "core/text/IniFile.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <array>
#include <optional>
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

namespace {

// Wildcards and separators: a name holding them reads as a pattern or a path
// to whoever lists the folder, and the file list would show it as a code no
// formula can mean.
bool isPatternOrSeparator(char c)
{
    return c == '*' || c == '?' || c == '[' || c == ']' || c == '/' || c == '\\';
}

bool isControl(char c)
{
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
}

}  // namespace

std::optional<std::string> plainCodeProblem(std::string_view fileNameText)
{
    const std::string code = materialCodeOf(fileNameText);
    if (code.find_first_not_of(' ') == std::string::npos)
        return "Please enter a file name for the material.";
    const bool odd
        = std::any_of(code.begin(), code.end(), [](char c) { return isPatternOrSeparator(c) || isControl(c); })
        || code.front() == ' ' || code.back() == ' ' || code == "." || code == "..";
    if (!odd)
        return std::nullopt;
    return quotedName(fileNameText)
        + " is not a material code. A code has no * ? [ ] / or \\, no control characters and no blanks at its ends.";
}

Result<fs::path> materialFileFor(const fs::path& folder, std::string_view fileNameText)
{
    if (fileNameText.empty())
        return Failure("Please enter a file name for the material.");
    const std::string code = materialCodeOf(fileNameText);
    if (!MaterialFiles::codeNamesAFile(code))
        return Failure(
            quotedName(fileNameText) + " cannot be a material file: it would lie outside the material folder.");
    if (auto existing = MaterialFiles(folder).find(code))
        return std::move(*existing);
    return folder / (asciiLower(code) + std::string(MaterialExtension));
}

Result<FileStamp> SetNumbers(const fs::path& folder, std::string_view fileNameText, const Material& material)
{
    if (auto problem = plainCodeProblem(fileNameText))
        return Failure(std::move(*problem));
    const Result<fs::path> choice = materialFileFor(folder, fileNameText);
    if (!choice)
        return Failure(choice.problem());
    return writeIniChanges(choice.value(), materialChanges(material, formatCell));
}

std::vector<IniChange> materialChanges(const Material& material, std::string (*numberForm)(double))
{
    std::vector<IniChange> changes;
    changes.push_back({MaterialSection, "Name", asciiLower(material.Name), IniQuoting::Exact, "the name"});
    for (const MaterialPropertyKey& k : MaterialWriteOrder)
        changes.push_back({MaterialSection, k.key, numberForm(material.props.*k.field), IniQuoting::AsWritten});
    // Absent stays absent: no value is never written as 0.
    for (const OptionalMaterialKey& k : OptionalMaterialKeys) {
        const std::optional<double>& value = material.props.*k.field;
        changes.push_back(
            {MaterialSection, k.key, value ? std::optional(numberForm(*value)) : std::nullopt, IniQuoting::AsWritten});
    }
    return changes;
}

Result<fs::path> materialToDelete(const fs::path& folder, std::string_view fileNameText)
{
    Result<fs::path> choice = materialFileFor(folder, fileNameText);
    std::error_code error;
    if (choice && !fs::exists(choice.value(), error))
        return Failure("There is no material file " + choice.value().filename().string() + " to delete.");
    return choice;
}

Result<> deleteMaterialFile(const fs::path& folder, std::string_view fileNameText)
{
    const Result<fs::path> choice = materialFileFor(folder, fileNameText);
    if (!choice)
        return Failure(choice.problem());
    return removeFile(choice.value());
}

std::string deleteQuestion(std::string_view fileName)
{
    return "Are you sure you want to delete " + std::string(fileName) + "?";
}

}  // namespace tintora
