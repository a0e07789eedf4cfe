#pragma once
// The figures as JSON numbers, under the names of core/calc/PropertyKeys.h,
// the same in JSON, CSV and the comparison.
#include "core/calc/PropertyKeys.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string_view>

namespace tintora::report {

// A figure as a JSON number at the three decimals it is shown with; null for
// none (an empty cell, no PVC).
nlohmann::ordered_json jsonNumber(std::optional<double> value);

// A cell's number; null when the cell is empty.
nlohmann::ordered_json jsonCellNumber(std::string_view cell);

}  // namespace tintora::report
