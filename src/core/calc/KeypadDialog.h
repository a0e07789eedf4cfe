#pragma once
// The modal keypad dialog as the recalculation sees it, so that the core never
// blocks on a window and tests can type the answer.
#include "core/calc/PanelCalculate.h"

#include <optional>
#include <string>
#include <string_view>

namespace tintora {

class KeypadDialog {
public:
    virtual ~KeypadDialog() = default;
    // Shows the keypad with this caption and display text, working on the
    // shared calculator state. Returns the display text when the user
    // accepted, nullopt when the keypad was cancelled.
    virtual std::optional<std::string> ask(std::string_view caption, std::string_view display, CalculatorState& state)
        = 0;
};

}  // namespace tintora
