#include "ui/app/DesktopSounds.h"

#ifdef TINTORA_HAVE_CANBERRA
#include <canberra.h>
#include <dlfcn.h>
#endif

namespace {

#ifdef TINTORA_HAVE_CANBERRA
// ALSA reports every failed attempt to open a sound device on stderr; on a
// machine without one each sound would write a screenful of it.
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...)
{
}

// Only when the sound library plays through ALSA (it loads it on opening the
// context), its error report is silenced; nothing else in the program uses it.
void silenceAlsaErrors()
{
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_NOLOAD);
    if (!alsa)
        return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
        set(ignoreAlsaError);
    dlclose(alsa);
}

// The sound library with its codecs is loaded when the first sound plays, not
// at start-up; it stays loaded until the program ends.
struct CanberraFunctions {
    decltype(&ca_context_create) create = nullptr;
    decltype(&ca_context_open) open = nullptr;
    decltype(&ca_context_destroy) destroy = nullptr;
    decltype(&ca_context_play) play = nullptr;
};

const CanberraFunctions* loadCanberra()
{
    static const CanberraFunctions loaded = [] {
        CanberraFunctions f;
        void* library = dlopen("libcanberra.so.0", RTLD_LAZY | RTLD_LOCAL);
        if (!library)
            return f;
        f.create = reinterpret_cast<decltype(f.create)>(dlsym(library, "ca_context_create"));
        f.open = reinterpret_cast<decltype(f.open)>(dlsym(library, "ca_context_open"));
        f.destroy = reinterpret_cast<decltype(f.destroy)>(dlsym(library, "ca_context_destroy"));
        f.play = reinterpret_cast<decltype(f.play)>(dlsym(library, "ca_context_play"));
        return f;
    }();
    const bool complete = loaded.create && loaded.open && loaded.destroy && loaded.play;
    return complete ? &loaded : nullptr;
}
#endif

}  // namespace

struct DesktopSounds::Context {
#ifdef TINTORA_HAVE_CANBERRA
    const CanberraFunctions* ca = nullptr;
    ca_context* handle = nullptr;
    bool failed = false;
    ~Context()
    {
        if (handle)
            ca->destroy(handle);
    }

    // Opened on first use, so a machine without sound costs nothing at
    // start-up; once it fails, the program stays silent.
    bool open()
    {
        if (handle)
            return true;
        if (failed)
            return false;
        ca = loadCanberra();
        if (!ca || ca->create(&handle) != CA_SUCCESS || ca->open(handle) != CA_SUCCESS) {
            if (handle)
                ca->destroy(handle);
            handle = nullptr;
            failed = true;
            return false;
        }
        silenceAlsaErrors();
        return true;
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
    if (context_->open())
        context_->ca->play(context_->handle, 0, CA_PROP_EVENT_ID, eventId, nullptr);
#endif
}
