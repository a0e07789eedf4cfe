#pragma once
// A scratch folder for one input, tintora-fuzz-<pid> in the temporary folder,
// made for the input and removed with everything in it afterwards. (libFuzzer
// ends a run without running exit handlers, so nothing may be left to them.)
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace tintora::fuzz {

class ScratchFolder {
public:
    ScratchFolder()
        : path_(std::filesystem::temp_directory_path() / ("tintora-fuzz-" + std::to_string(getpid())))
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace tintora::fuzz
