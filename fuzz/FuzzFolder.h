#pragma once
// A scratch folder for one input, tintora-fuzz-<pid> in /dev/shm (memory) where
// there is one, else in the temporary folder, made for the input and removed
// with everything in it afterwards. (libFuzzer ends a run without running exit
// handlers, so nothing may be left to them.) On a disk, creating and removing
// the files of every input, and the writer's fsync, cost more than the code
// under test: the formula target ran at a few hundred inputs a second.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <unistd.h>

namespace tintora::fuzz {

class ScratchFolder {
public:
    ScratchFolder()
        : path_(base() / ("tintora-fuzz-" + std::to_string(getpid())))
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
    static std::filesystem::path base()
    {
        static const std::filesystem::path chosen = [] {
            std::error_code ec;
            const std::filesystem::path memory = "/dev/shm";
            if (std::filesystem::is_directory(memory, ec) && access(memory.c_str(), W_OK | X_OK) == 0)
                return memory;
            return std::filesystem::temp_directory_path();
        }();
        return chosen;
    }

    std::filesystem::path path_;
};

// The bytes of a file, and the number of entries in a folder, as the
// targets check what a writer left.
inline std::string contentsOf(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::size_t entriesIn(const std::filesystem::path& folder)
{
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
}

}  // namespace tintora::fuzz
