#pragma once
// System sounds by alias as freedesktop event sounds, through libcanberra where
// the build found it; silent otherwise, and never waited for.
#include "core/prompt/Prompter.h"

#include <memory>

class DesktopSounds : public tintora::Sounds {
public:
    DesktopSounds();
    ~DesktopSounds() override;
    void play(std::string_view alias) override;

    // The freedesktop event sound for an alias ("SystemHand" -> "dialog-error").
    static const char* eventSoundFor(std::string_view alias);

private:
    struct Context;
    std::unique_ptr<Context> context_;
};
