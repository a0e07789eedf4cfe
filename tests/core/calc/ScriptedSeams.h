#pragma once
// Message boxes and the keypad dialog for tests: each message is recorded
// with its kind, and the keypad gives the answers the test queued.
#include "calc/KeypadDialog.h"
#include "sheet/Prompter.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tintora::test {

enum class BoxKind { Information, Error, Confirm, Question };

struct Message {
    BoxKind kind;
    std::string text;
    bool operator==(const Message&) const = default;
};

class ScriptedPrompter : public Prompter {
public:
    void inform(std::string_view text) override { shown.push_back({BoxKind::Information, std::string(text)}); }
    void error(std::string_view text) override { shown.push_back({BoxKind::Error, std::string(text)}); }
    bool confirm(std::string_view text) override
    {
        shown.push_back({BoxKind::Confirm, std::string(text)});
        return true;
    }
    bool askInformation(std::string_view text) override
    {
        shown.push_back({BoxKind::Question, std::string(text)});
        return true;
    }
    std::vector<Message> shown;
};

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
