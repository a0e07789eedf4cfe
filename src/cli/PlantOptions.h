#pragma once
// The options of tintora-report for what leaves the laboratory: the batch
// ticket (--batch, --lot), the material library (--materials-list) and the
// workbook (--xlsx).
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tintora::report {

struct ReportOptions;

struct PlantOptions {
    std::optional<std::string> batch;  // --batch SIZE, as given
    std::optional<std::string> lot;  // --lot TEXT
    bool materialsList = false;  // --materials-list [DIR]
    std::optional<std::string> materialsListFolder;
    std::optional<std::string> xlsxPath;  // --xlsx OUT.xlsx

    bool active() const { return batch || materialsList || xlsxPath; }
};

// When args[i] is one of these options, takes it (and its value, moving i
// on) and returns the problem with it, empty when none; nullopt when args[i]
// is none of them.
std::optional<std::string> parsePlantOption(
    const std::vector<std::string>& args, std::size_t& i, PlantOptions& options);

// What is wrong with these options among the others; nullopt when nothing.
std::optional<std::string> plantProblem(const ReportOptions& options);

}  // namespace tintora::report
