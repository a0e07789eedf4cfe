#include "core/formulas/OptimiseSection.h"

#include "core/text/NumberText.h"

namespace tintora {

namespace {

constexpr const char* KeepKey = "Keep";
constexpr const char* KeepValueKey = "KeepValue";
constexpr const char* MinimiseKey = "Minimise";

std::string rowKey(int n)
{
    std::string key = "Row";
    key += std::to_string(n);
    return key;
}

std::optional<double> sideOf(std::string_view text, bool& fine)
{
    text = trimBlanks(text);
    if (text.empty())
        return std::nullopt;
    const std::optional<double> value = parseNumberText(text);
    fine = fine && value.has_value();
    return value;
}

IniChange optimiseEntry(std::string key, std::optional<std::string> value)
{
    return {OptimiseSection, std::move(key), std::move(value)};
}

}  // namespace

std::optional<NumberRange> parseNumberRange(std::string_view text)
{
    bool fine = true;
    const std::size_t dots = text.find("..");
    NumberRange range;
    if (dots == std::string_view::npos) {
        range.low = range.high = sideOf(text, fine);
    } else {
        range.low = sideOf(text.substr(0, dots), fine);
        range.high = sideOf(text.substr(dots + 2), fine);
    }
    if (!fine || (!range.low && !range.high))
        return std::nullopt;
    return range;
}

std::string numberRangeText(const std::optional<double>& low, const std::optional<double>& high)
{
    return (low ? formatRoundTrip(*low) : std::string()) + ".." + (high ? formatRoundTrip(*high) : std::string());
}

std::optional<OptimiseSettings> readOptimiseSection(const IniFile& file)
{
    if (!file.hasSection(OptimiseSection))
        return std::nullopt;
    OptimiseSettings settings;
    settings.kept
        = file.readString(OptimiseSection, KeepKey, "volume") == "weight" ? KeptTotal::Weight : KeptTotal::Volume;
    if (const std::optional<std::string> value = file.value(OptimiseSection, KeepValueKey))
        settings.keptValue = parseNumberText(*value);
    settings.objective = file.readString(OptimiseSection, MinimiseKey, "cost-vol") == "cost-wt"
        ? CostObjective::PerPound
        : CostObjective::PerGallon;
    for (int n = 1; n <= SheetRowCount; ++n)
        if (const std::optional<std::string> value = file.value(OptimiseSection, rowKey(n)))
            if (const std::optional<NumberRange> range = parseNumberRange(*value))
                settings.varied.push_back({n, range->low.value_or(0), range->high.value_or(RowWeightLimit)});
    for (int f = 0; f < OptimiseFigureCount; ++f)
        if (const std::optional<std::string> value = file.value(OptimiseSection, figureKey(f)))
            if (const std::optional<NumberRange> range = parseNumberRange(*value))
                settings.limits.push_back({f, range->low, range->high});
    return settings;
}

std::vector<IniChange> optimiseSectionChanges(const OptimiseSettings& settings)
{
    std::vector<IniChange> changes;
    changes.push_back(optimiseEntry(KeepKey, settings.kept == KeptTotal::Weight ? "weight" : "volume"));
    changes.push_back(optimiseEntry(
        KeepValueKey, settings.keptValue ? std::optional(formatRoundTrip(*settings.keptValue)) : std::nullopt));
    changes.push_back(
        optimiseEntry(MinimiseKey, settings.objective == CostObjective::PerPound ? "cost-wt" : "cost-vol"));
    for (int n = 1; n <= SheetRowCount; ++n) {
        std::optional<std::string> value;
        for (const VariedRow& row : settings.varied)
            if (row.row == n)
                value = numberRangeText(row.minimum, row.maximum);
        changes.push_back(optimiseEntry(rowKey(n), value));
    }
    for (int f = 0; f < OptimiseFigureCount; ++f) {
        std::optional<std::string> value;
        for (const FigureLimit& limit : settings.limits)
            if (limit.figure == f && (limit.minimum || limit.maximum))
                value = numberRangeText(limit.minimum, limit.maximum);
        changes.push_back(optimiseEntry(figureKey(f), value));
    }
    return changes;
}

}  // namespace tintora
