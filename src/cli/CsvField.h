#pragma once
// One text field of a CSV line (RFC 4180).
#include "core/print/FormulaTable.h"

#include <string>
#include <string_view>

namespace tintora::report {

// As a spreadsheet takes it as text (a leading apostrophe where it would run
// as a formula), quoted with its quotes doubled when it holds the separator,
// a quote or a line break.
inline std::string csvField(std::string_view text, char separator = ',')
{
    std::string field = asSpreadsheetText(text);
    if (field.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string::npos)
        return field;
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace tintora::report
