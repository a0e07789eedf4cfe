#pragma once
// The keypad dialog for tests: records what it was opened with and gives the
// answers the test queued. Framework-free, so that core and window tests share it.
#include "core/calc/KeypadDialog.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tintora::testing {

// What the keypad was opened with.
struct KeypadCall {
    std::string caption;
    std::string display;
    CalculatorState state;
};

class ScriptedKeypad : public KeypadDialog {
public:
    std::optional<std::string> ask(std::string_view caption, std::string_view display, CalculatorState& state) override
    {
        calls.push_back({std::string(caption), std::string(display), state});
        if (answers.empty())
            return std::nullopt;
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<std::string> captions() const { return collect(&KeypadCall::caption); }
    std::vector<std::string> displays() const { return collect(&KeypadCall::display); }

    // nullopt cancels the keypad.
    std::deque<std::optional<std::string>> answers;
    std::vector<KeypadCall> calls;

private:
    std::vector<std::string> collect(std::string KeypadCall::*field) const
    {
        std::vector<std::string> out;
        for (const KeypadCall& call : calls)
            out.push_back(call.*field);
        return out;
    }
};

}  // namespace tintora::testing
