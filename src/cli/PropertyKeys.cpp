#include "PropertyKeys.h"

#include "core/text/NumberText.h"

#include <string>

namespace tintora::report {

nlohmann::ordered_json jsonNumber(std::optional<double> value)
{
    if (!value)
        return nullptr;
    // Through the three-decimal text, so that the number is the one shown
    // (54.457, not 54.45700000000001); a "-0.000" reads back as 0.
    const double shown = numberFromText(formatThreeDecimals(*value));
    return shown == 0 ? 0.0 : shown;
}

nlohmann::ordered_json jsonCellNumber(std::string_view cell)
{
    const std::string text(cell);
    if (text.find_first_not_of(' ') == std::string::npos)
        return nullptr;
    return jsonNumber(numberFromText(text));
}

}  // namespace tintora::report
