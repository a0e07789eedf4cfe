#pragma once
// Message boxes and the keypad dialog for tests: each message is recorded
// with its kind, and the keypad gives the answers the test queued.
#include "ScriptedPrompter.h"
#include "calc/KeypadDialog.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tintora::test {

using BoxKind = testing::ShownMessage::Kind;
using Message = testing::ShownMessage;
using testing::ScriptedPrompter;

// What the keypad was opened with.
struct KeypadCall {
    std::string caption;
    std::string display;
    CalculatorState state;
};

class ScriptedKeypad : public KeypadDialog {
public:
    std::optional<std::string> ask(std::string_view caption, std::string_view display,
                                   CalculatorState& state) override
    {
        calls.push_back({std::string(caption), std::string(display), state});
        if (answers.empty())
            return std::nullopt;
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }
    // nullopt cancels the keypad.
    std::deque<std::optional<std::string>> answers;
    std::vector<KeypadCall> calls;
};

}  // namespace tintora::test
