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
            return nextDiskChangeAnswer();
        case MessageKind::KeptCopy:
            return nextKeptCopyAnswer();
        default:
            return Answer::Yes;  // a box with OK alone asks nothing
        }
    }

private:
    // Open Kept Version is the box's Yes, Delete Copy its No.
    Answer nextKeptCopyAnswer()
    {
        if (keptCopyAnswers.empty())
            return Answer::Cancel;
        const KeptCopyAnswer answer = keptCopyAnswers.front();
        keptCopyAnswers.pop_front();
        if (answer == KeptCopyAnswer::OpenKept)
            return Answer::Yes;
        return answer == KeptCopyAnswer::DeleteCopy ? Answer::No : Answer::Cancel;
    }
    // Overwrite is the box's Yes, Reload its No.
    Answer nextDiskChangeAnswer()
    {
        if (diskChangeAnswers.empty())
            return Answer::Cancel;
        const DiskChangeAnswer answer = diskChangeAnswers.front();
        diskChangeAnswers.pop_front();
        if (answer == DiskChangeAnswer::Overwrite)
            return Answer::Yes;
        return answer == DiskChangeAnswer::Reload ? Answer::No : Answer::Cancel;
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
