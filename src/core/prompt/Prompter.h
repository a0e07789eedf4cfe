#pragma once
// What a command tells or asks the user goes through these seams, so that the
// core never blocks on a window and tests can give the answers.
#include <string_view>

namespace tintora {

// System sounds by alias, started without waiting.
class Sounds {
public:
    virtual ~Sounds() = default;
    virtual void play(std::string_view alias) = 0;
};

// Modal message boxes.
class Prompter {
public:
    enum class Answer { Yes, No, Cancel };
    enum class DiskChangeAnswer { Overwrite, Reload, Cancel };
    enum class KeptCopyAnswer { OpenKept, KeepFile, DeleteCopy };

    virtual ~Prompter() = default;
    virtual void inform(std::string_view text) = 0;
    virtual void error(std::string_view text) = 0;
    // true for Yes
    virtual bool confirm(std::string_view text) = 0;
    // A Yes/No question shown as an information box; true for Yes.
    virtual bool askInformation(std::string_view text) = 0;
    // A confirmation with "&Yes", "&No" and "Cancel", for a command that may
    // keep the user's work first or not go on at all.
    virtual Answer askYesNoCancel(std::string_view text) = 0;
    // A confirmation with "&Overwrite", "&Reload" and "Cancel", for a file
    // someone else changed since it was read.
    virtual DiskChangeAnswer askOverwriteOrReload(std::string_view text) = 0;
    // A question with "&Open Kept Version", "&Keep File" and "&Delete Copy",
    // for a file beside which an interrupted save kept its older version.
    virtual KeptCopyAnswer askAboutKeptCopy(std::string_view text) = 0;
    // The program's general error report, for a text that cannot be converted
    // (a stored date that is no date): the text as given, in a box captioned
    // with the program's title, with an error icon and OK, and no sound.
    virtual void reportError(std::string_view text) = 0;
};

// The seven boxes a Prompter shows.
enum class MessageKind {
    Information,
    Error,
    Confirm,
    Question,
    YesNoCancel,
    OverwriteReloadCancel,
    KeptCopy,
    ErrorReport
};

// "Information", "Error" or "Confirm"; empty for the error report, which the
// window captions with the program's title.
const char* messageTitle(MessageKind kind);
// The sound the box starts with: "SystemAsterisk" for information (and a
// question shown as one), "SystemHand" for an error, "SystemQuestion" for a
// confirmation; none (empty) for the error report.
const char* messageSound(MessageKind kind);

// A Prompter whose every box first starts its sound, then is shown: the one
// place that pairs boxes with sounds, for the real boxes and the scripted ones.
class SoundingPrompter : public Prompter {
public:
    explicit SoundingPrompter(Sounds* sounds)
        : sounds_(sounds)
    {
    }
    void inform(std::string_view text) final { present(MessageKind::Information, text); }
    void error(std::string_view text) final { present(MessageKind::Error, text); }
    bool confirm(std::string_view text) final { return present(MessageKind::Confirm, text) == Answer::Yes; }
    bool askInformation(std::string_view text) final { return present(MessageKind::Question, text) == Answer::Yes; }
    Answer askYesNoCancel(std::string_view text) final { return present(MessageKind::YesNoCancel, text); }
    // The box answers Yes for Overwrite and No for Reload.
    DiskChangeAnswer askOverwriteOrReload(std::string_view text) final
    {
        const Answer answer = present(MessageKind::OverwriteReloadCancel, text);
        if (answer == Answer::Yes)
            return DiskChangeAnswer::Overwrite;
        return answer == Answer::No ? DiskChangeAnswer::Reload : DiskChangeAnswer::Cancel;
    }
    // The box answers Yes for the kept version, No for deleting the copy and
    // Cancel (Escape, nothing changed) for keeping the file as it is.
    KeptCopyAnswer askAboutKeptCopy(std::string_view text) final
    {
        const Answer answer = present(MessageKind::KeptCopy, text);
        if (answer == Answer::Yes)
            return KeptCopyAnswer::OpenKept;
        return answer == Answer::No ? KeptCopyAnswer::DeleteCopy : KeptCopyAnswer::KeepFile;
    }
    void reportError(std::string_view text) final { present(MessageKind::ErrorReport, text); }

protected:
    // Shows the box and returns the answer (any answer for a box with OK alone).
    virtual Answer show(MessageKind kind, std::string_view text) = 0;

private:
    Answer present(MessageKind kind, std::string_view text)
    {
        if (const std::string_view sound = messageSound(kind); sounds_ && !sound.empty())
            sounds_->play(sound);
        return show(kind, text);
    }

    Sounds* sounds_;
};

}  // namespace tintora
