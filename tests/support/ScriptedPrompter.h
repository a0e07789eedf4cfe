#pragma once
// A Prompter and Sounds for tests: records what would have been shown or
// played, and answers questions as the test chose. The sounds are the
// program's own (SoundingPrompter), not this file's. Framework-free, so that
// core and window tests share it.
#include "core/prompt/Prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace tintora::testing {

struct ShownMessage {
    using Kind = MessageKind;
    Kind kind;
    std::string text;
    bool operator==(const ShownMessage&) const = default;
};

class ScriptedSounds : public Sounds {
public:
    void play(std::string_view alias) override { played.emplace_back(alias); }
    std::vector<std::string> played;
};

class ScriptedPrompter : public SoundingPrompter {
public:
    explicit ScriptedPrompter(Sounds* sounds = nullptr)
        : SoundingPrompter(sounds)
    {
    }

    // Answers for the coming Yes/No questions, in order; Yes when none is left.
    std::deque<bool> answers;
    // Answers for the coming Yes/No/Cancel questions; No (go on, keep nothing) when none is left.
    std::deque<Answer> threeWayAnswers;
    // Answers for the coming Overwrite/Reload/Cancel questions; Cancel (write nothing) when none is left.
    std::deque<DiskChangeAnswer> diskChangeAnswers;
    // Answers for the coming questions about a kept copy; Keep File (change nothing) when none is left.
    std::deque<KeptCopyAnswer> keptCopyAnswers;
    std::vector<ShownMessage> shown;

protected:
    Answer show(MessageKind kind, std::string_view text) override
    {
        shown.push_back({kind, std::string(text)});
        switch (kind) {
        case MessageKind::YesNoCancel:
            return nextThreeWayAnswer();
        case MessageKind::Confirm:
        case MessageKind::Question:
            return nextAnswer() ? Answer::Yes : Answer::No;
        case MessageKind::OverwriteReloadCancel:
            return nextOfThree(diskChangeAnswers, DiskChangeAnswer::Overwrite, DiskChangeAnswer::Reload);
        case MessageKind::KeptCopy:
            return nextOfThree(keptCopyAnswers, KeptCopyAnswer::OpenKept, KeptCopyAnswer::DeleteCopy);
        default:
            return Answer::Yes;  // a box with OK alone asks nothing
        }
    }

private:
    // The next of a box of three named buttons, as the box's Yes, No or
    // Cancel; Cancel (change nothing) when none is left.
    template <class Named>
    static Answer nextOfThree(std::deque<Named>& queue, Named yes, Named no)
    {
        if (queue.empty())
            return Answer::Cancel;
        const Named answer = queue.front();
        queue.pop_front();
        return answer == yes ? Answer::Yes : answer == no ? Answer::No : Answer::Cancel;
    }
    bool nextAnswer()
    {
        if (answers.empty())
            return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    Answer nextThreeWayAnswer()
    {
        if (threeWayAnswers.empty())
            return Answer::No;
        const Answer answer = threeWayAnswers.front();
        threeWayAnswers.pop_front();
        return answer;
    }
};

}  // namespace tintora::testing
