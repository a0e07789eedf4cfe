#pragma once
// A Prompter and Sounds for tests: records what would have been shown or
// played, and answers questions as the test chose. Framework-free, so that
// core and window tests share it.
#include "core/sheet/Prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace tintora::testing {

struct ShownMessage {
    enum class Kind { Information, Error, Confirm, Question, YesNoCancel, OverwriteReloadCancel } kind;
    std::string text;
    bool operator==(const ShownMessage&) const = default;
};

class ScriptedSounds : public Sounds {
public:
    void play(std::string_view alias) override { played.emplace_back(alias); }
    std::vector<std::string> played;
};

class ScriptedPrompter : public Prompter {
public:
    explicit ScriptedPrompter(Sounds* sounds = nullptr)
        : sounds_(sounds)
    {
    }

    void inform(std::string_view text) override { record(ShownMessage::Kind::Information, "SystemAsterisk", text); }
    void error(std::string_view text) override { record(ShownMessage::Kind::Error, "SystemHand", text); }
    bool confirm(std::string_view text) override
    {
        record(ShownMessage::Kind::Confirm, "SystemQuestion", text);
        return nextAnswer();
    }
    bool askInformation(std::string_view text) override
    {
        record(ShownMessage::Kind::Question, "SystemAsterisk", text);
        return nextAnswer();
    }

    Answer askYesNoCancel(std::string_view text) override
    {
        record(ShownMessage::Kind::YesNoCancel, "SystemQuestion", text);
        if (threeWayAnswers.empty())
            return Answer::No;
        const Answer answer = threeWayAnswers.front();
        threeWayAnswers.pop_front();
        return answer;
    }

    DiskChangeAnswer askOverwriteOrReload(std::string_view text) override
    {
        record(ShownMessage::Kind::OverwriteReloadCancel, "SystemQuestion", text);
        if (diskChangeAnswers.empty())
            return DiskChangeAnswer::Cancel;
        const DiskChangeAnswer answer = diskChangeAnswers.front();
        diskChangeAnswers.pop_front();
        return answer;
    }

    // Answers for the coming questions, in order; Yes when none is left.
    std::deque<bool> answers;
    // Answers for the coming Yes/No/Cancel questions; No (go on, keep nothing) when none is left.
    std::deque<Answer> threeWayAnswers;
    // Answers for the coming Overwrite/Reload/Cancel questions; Cancel (write nothing) when none is left.
    std::deque<DiskChangeAnswer> diskChangeAnswers;
    std::vector<ShownMessage> shown;

private:
    void record(ShownMessage::Kind kind, const char* sound, std::string_view text)
    {
        if (sounds_)
            sounds_->play(sound);
        shown.push_back({kind, std::string(text)});
    }
    bool nextAnswer()
    {
        if (answers.empty())
            return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    Sounds* sounds_;
};

}  // namespace tintora::testing
