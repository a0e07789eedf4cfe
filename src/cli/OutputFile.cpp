#include "OutputFile.h"

#include "core/formulas/FormulaFile.h"
#include "core/text/NumberText.h"

#include <filesystem>

namespace tintora::report {

namespace fs = std::filesystem;

bool pathTaken(const std::string& path)
{
    std::error_code ec;
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found;
}

std::optional<std::string> formulaOutputRefusal(const std::string& out, bool force)
{
    if (!pathTaken(out))
        return std::nullopt;
    if (!force)
        return out + " exists; give --force to replace it";
    if (isProtectedFormula(out))
        return out + " is a protected formula; it is not overwritten";
    return std::nullopt;
}

std::optional<std::string> documentOutputRefusal(const std::string& out, bool force)
{
    const std::string extension = asciiLower(fs::path(out).extension().string());
    if (extension == ".tfx" || extension == ".rm")
        return out + " is named like a formula or material file; it is not overwritten";
    if (pathTaken(out) && !force)
        return out + " exists; give --force to replace it";
    return std::nullopt;
}

}  // namespace tintora::report
