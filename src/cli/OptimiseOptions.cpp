#include "OptimiseOptions.h"

#include "core/formulas/OptimiseSection.h"
#include "core/sheet/FormulaSheet.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <string_view>

namespace tintora::report {

namespace {

// A number by the program's rule that a weight, a total or a figure can be:
// finite and not below 0. An empty text is no number here, though a cell
// reads it as 0.
std::optional<double> amountOf(std::string_view text)
{
    const std::optional<double> value = parseNumberText(text);
    if (trimBlanks(text).empty() || !value || *value < 0)
        return std::nullopt;
    return value;
}

// "A..B", "A..", "..B" or "A", each side an amount.
std::optional<NumberRange> amountRangeOf(std::string_view text)
{
    const std::optional<NumberRange> range = parseNumberRange(text);
    const auto negative = [](const std::optional<double>& side) { return side && *side < 0; };
    if (!range || negative(range->low) || negative(range->high))
        return std::nullopt;
    return range;
}

// "3,5=0..200,7=..50": the rows that vary, each between its bounds (by
// default from 0 to the weight a row can hold).
std::optional<std::vector<VariedRow>> variedRowsOf(std::string_view text)
{
    std::vector<VariedRow> rows;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view item = text.substr(start, comma - start);
        const std::size_t equals = std::min(item.find('='), item.size());
        const std::string_view number = item.substr(0, equals);
        const bool digits = !number.empty() && number.size() <= 2
            && std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
        VariedRow row{digits ? std::stoi(std::string(number)) : 0};
        if (row.row < 1 || row.row > SheetRowCount)
            return std::nullopt;
        if (equals < item.size()) {
            const std::optional<NumberRange> range = amountRangeOf(item.substr(equals + 1));
            if (!range)
                return std::nullopt;
            row.minimum = range->low.value_or(0);
            row.maximum = range->high.value_or(RowWeightLimit);
        }
        rows.push_back(row);
        start = comma + 1;
    }
    return rows;
}

std::optional<std::string> parseVary(std::string_view text, OptimiseOptions& options)
{
    if (text == "all") {
        options.varyAll = true;
        return std::string();
    }
    options.varied = variedRowsOf(text);
    if (!options.varied)
        return "--vary takes ROW[=MIN..MAX] with a ROW from 1 to 36, separated by commas, or all, not '"
            + std::string(text) + "'";
    return std::string();
}

std::string figureKeysText()
{
    std::string keys;
    for (int f = 0; f < OptimiseFigureCount; ++f)
        keys.append(f == 0 ? "" : f + 1 == OptimiseFigureCount ? " or " : ", ").append(figureKey(f));
    return keys;
}

// "NAME>=V", "NAME<=V" or "NAME=A..B"; a second limit on the same figure
// sets its other side (or replaces the side it names again).
std::optional<std::string> parseLimit(std::string_view text, OptimiseOptions& options)
{
    const std::size_t sign = std::min(text.find_first_of("<>="), text.size());
    const std::optional<int> figure = figureOfKey(text.substr(0, sign));
    const std::string_view rest = text.substr(std::min(sign + 1, text.size()));
    FigureLimit limit{figure.value_or(0), std::nullopt, std::nullopt};
    bool fine = figure.has_value() && sign < text.size();
    if (fine && text[sign] == '=') {
        const std::optional<NumberRange> range = amountRangeOf(rest);
        fine = range.has_value();
        if (fine)
            limit = {*figure, range->low, range->high};
    } else if (fine) {
        const std::optional<double> value = rest.starts_with('=') ? amountOf(rest.substr(1)) : std::nullopt;
        fine = value.has_value();
        (text[sign] == '>' ? limit.minimum : limit.maximum) = value;
    }
    if (!fine)
        return "--limit takes NAME>=V, NAME<=V or NAME=A..B with a NAME of " + figureKeysText() + ", not '"
            + std::string(text) + "'";
    const auto same = std::find_if(options.limits.begin(), options.limits.end(),
        [&](const FigureLimit& given) { return given.figure == limit.figure; });
    if (same == options.limits.end())
        options.limits.push_back(limit);
    else {
        same->minimum = limit.minimum ? limit.minimum : same->minimum;
        same->maximum = limit.maximum ? limit.maximum : same->maximum;
    }
    return std::string();
}

// "volume", "weight", "volume=V" or "weight=V".
std::optional<std::string> parseKeep(std::string_view text, OptimiseOptions& options)
{
    const std::size_t equals = std::min(text.find('='), text.size());
    const std::string_view total = text.substr(0, equals);
    const std::optional<double> value = equals < text.size() ? amountOf(text.substr(equals + 1)) : std::nullopt;
    if ((total != "volume" && total != "weight") || (equals < text.size() && !value))
        return "--keep takes volume[=V] or weight[=W], not '" + std::string(text) + "'";
    options.kept = total == "volume" ? KeptTotal::Volume : KeptTotal::Weight;
    options.keptValue = value;
    return std::string();
}

std::optional<std::string> parseMinimise(std::string_view text, OptimiseOptions& options)
{
    if (text != "cost-vol" && text != "cost-wt")
        return "--minimise takes cost-vol or cost-wt, not '" + std::string(text) + "'";
    options.objective = text == "cost-vol" ? CostObjective::PerGallon : CostObjective::PerPound;
    return std::string();
}

}  // namespace

std::optional<std::string> parseOptimiseOption(
    const std::vector<std::string>& args, std::size_t& i, OptimiseOptions& options)
{
    const std::string& arg = args[i];
    if (arg == "--optimise") {
        options.active = true;
        return std::string();
    }
    if (arg != "--vary" && arg != "--limit" && arg != "--keep" && arg != "--minimise")
        return std::nullopt;
    if (i + 1 >= args.size())
        return "option " + arg + " needs a value";
    const std::string& value = args[++i];
    if (arg == "--limit")
        return parseLimit(value, options);
    const bool again = arg == "--vary" ? options.varied || options.varyAll
        : arg == "--keep"              ? options.kept.has_value()
                                       : options.objective.has_value();
    if (again)
        return "option " + arg + " is given twice";
    if (arg == "--vary")
        return parseVary(value, options);
    return arg == "--keep" ? parseKeep(value, options) : parseMinimise(value, options);
}

}  // namespace tintora::report
