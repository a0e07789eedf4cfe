#pragma once
// The compliance figures a formula's JSON sheet and CSV line carry after its
// properties: the EU VOC content, the CPVC and Λ, and the formula's VOC
// category with its limit and margin from the voc-limits.ini of the folder
// the formula is in.
#include "core/compliance/Compliance.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tintora::report {

constexpr const char* EuVocKey = "voc_eu_g_per_l";
constexpr const char* CpvcKey = "cpvc_pct";
constexpr const char* LambdaKey = "lambda";
constexpr const char* CategoryKey = "category";
constexpr const char* VocLimitKey = "voc_limit_g_per_l";
constexpr const char* VocMarginKey = "voc_margin_g_per_l";

// Each field is empty while unknown; category is empty when none was chosen.
struct ComplianceFields {
    std::optional<double> euVoc, cpvc, lambda;
    std::optional<std::string> category;
    std::optional<double> limit, margin;
};

// The limits table of a folder, read the first time a report of this run
// asks for it: many formulas of one folder share one reading.
const VocLimitsTable& vocLimitsOfFolder(const std::filesystem::path& folder);
// The folder a formula file named on the command line is in.
std::filesystem::path folderOfFormula(const std::string& path);

// The formula's category in table; nullptr when none is chosen or the table
// lacks it.
const VocCategory* categoryOf(const FormulaSheet& sheet, const VocLimitsTable& table);

// The verdict of the sheet against the category it chose, in the table of
// formulaPath's own folder.
VocVerdict verdictInOwnFolder(const FormulaSheet& sheet, const std::string& formulaPath);

ComplianceFields complianceFields(const FormulaSheet& sheet, const std::string& formulaPath);

}  // namespace tintora::report
