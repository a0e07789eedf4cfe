#pragma once
// The settings of a formula's last optimisation, kept in its file's
// [Optimise] section so that it can be run again after a price change;
// readers that do not know the section pass it over.
//
//   [Optimise]
//   Keep=volume             or weight
//   KeepValue=100           the total kept; absent: the formula's own
//   Minimise=cost-vol       or cost-wt
//   Row3=0..500             a varied row with its minimum and maximum
//   solids_vol_pct=38..     a limit: MIN..MAX, either side empty for none
#include "core/calc/Optimisation.h"
#include "core/text/IniFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintora {

constexpr const char* OptimiseSection = "Optimise";

// The settings the section holds; nullopt when the file has none. Entries
// that do not read (a row out of range, a bound that is no number) are
// passed over.
std::optional<OptimiseSettings> readOptimiseSection(const IniFile& file);

// The changes that make the section hold the settings, every key of it that
// the settings do not use removed.
std::vector<IniChange> optimiseSectionChanges(const OptimiseSettings& settings);

// "A..B", "A..", "..B", or a single number for both sides; nullopt when a
// side is no number by the number-text rule or both are empty.
struct NumberRange {
    std::optional<double> low, high;
};
std::optional<NumberRange> parseNumberRange(std::string_view text);
std::string numberRangeText(const std::optional<double>& low, const std::optional<double>& high);

}  // namespace tintora
