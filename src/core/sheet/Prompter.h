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

// Modal message boxes. Each box starts its sound first: an information box
// (title "Information") "SystemAsterisk", an error box (title "Error")
// "SystemHand", a confirmation (title "Confirm", "&Yes" / "&No")
// "SystemQuestion".
class Prompter {
public:
    enum class Answer { Yes, No, Cancel };
    enum class DiskChangeAnswer { Overwrite, Reload, Cancel };

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
};

}  // namespace tintora
