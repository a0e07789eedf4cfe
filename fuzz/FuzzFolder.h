#pragma once
// A scratch folder of one fuzzing process, tintora-fuzz-<pid> in the temporary
// folder, removed when the process ends normally (libFuzzer ends with exit()).
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace tintora::fuzz {

inline const std::filesystem::path& scratchFolder()
{
    static const std::filesystem::path path = [] {
        auto p = std::filesystem::temp_directory_path() / ("tintora-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(p);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(scratchFolder(), ignored);
        });
        return p;
    }();
    return path;
}

// Empties the scratch folder between inputs, so that one input's files never
// meet the next one's.
inline void emptyScratchFolder()
{
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(scratchFolder(), ignored))
        std::filesystem::remove_all(entry.path(), ignored);
}

}  // namespace tintora::fuzz
