#include "PriceReports.h"
#include "ReportFormula.h"
#include "SettingsFolders.h"

#include <system_error>

namespace fs = std::filesystem;

namespace tintora::report {

namespace {

bool isFolder(const fs::path& folder, const char* kind)
{
    std::error_code ec;
    if (!fs::exists(folder, ec)) {
        reportProblem(std::string("the ") + kind + " folder does not exist: " + folder.string());
        return false;
    }
    if (!fs::is_directory(folder, ec)) {
        reportProblem(std::string("the ") + kind + " folder is not a folder: " + folder.string());
        return false;
    }
    return true;
}

}  // namespace

std::optional<PriceFolders> priceFolders(const ReportOptions& options)
{
    PriceFolders folders;
    folders.formulas = options.priceFolder ? fs::path(*options.priceFolder) : defaultFolder(FolderKind::Formulas);
    if (options.materialFolder)
        folders.materials = *options.materialFolder;
    else
        folders.materials = options.priceFolder ? folders.formulas : defaultFolder(FolderKind::Materials);
    if (!isFolder(folders.formulas, "formula") || !isFolder(folders.materials, "material"))
        return std::nullopt;
    return folders;
}

}  // namespace tintora::report
