#include "app/DesktopSounds.h"

#ifdef TINTORA_HAVE_CANBERRA
#include <canberra.h>
#endif

struct DesktopSounds::Context {
#ifdef TINTORA_HAVE_CANBERRA
    ca_context* handle = nullptr;
    bool failed = false;
    ~Context()
    {
        if (handle)
            ca_context_destroy(handle);
    }
#endif
};

DesktopSounds::DesktopSounds()
    : context_(std::make_unique<Context>())
{
}

DesktopSounds::~DesktopSounds() = default;

const char* DesktopSounds::eventSoundFor(std::string_view alias)
{
    if (alias == "SystemAsterisk")
        return "dialog-information";
    if (alias == "SystemHand")
        return "dialog-error";
    if (alias == "SystemQuestion")
        return "dialog-question";
    if (alias == "SystemStart")
        return "desktop-login";
    return nullptr;
}

void DesktopSounds::play(std::string_view alias)
{
    const char* eventId = eventSoundFor(alias);
    if (!eventId)
        return;
#ifdef TINTORA_HAVE_CANBERRA
    // The context is opened on first use, so a machine without sound costs
    // nothing at start-up; once it fails, it stays silent.
    if (context_->failed)
        return;
    if (!context_->handle && ca_context_create(&context_->handle) != CA_SUCCESS) {
        context_->handle = nullptr;
        context_->failed = true;
        return;
    }
    ca_context_play(context_->handle, 0, CA_PROP_EVENT_ID, eventId, nullptr);
#endif
}
