#pragma once
// Replacing a file's contents so that a crash, a full disk or a killed process
// leaves either the old file or the new one: the new bytes go to a temporary
// file in the same folder, are flushed to the disk, and the temporary file is
// renamed over the old one.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tintora {

// The outcome of a write: empty problem on success, otherwise a sentence
// naming the file and the reason ("Cannot write "x.tfx": No space left on device.").
struct WriteResult {
    std::string problem;
    bool ok() const { return problem.empty(); }
    explicit operator bool() const { return ok(); }
    static WriteResult failed(std::string problem) { return {std::move(problem)}; }
};

// "Cannot write "<file>": <reason>."
std::string cannotWrite(const std::filesystem::path& file, std::string_view reason);

// Writes bytes as the new contents of target. An existing target keeps its
// permissions; a link is followed, so the linked file changes and the link stays.
WriteResult replaceFileContents(const std::filesystem::path& target, std::string_view bytes);

// Removes a file; the result names it and the reason when that fails.
WriteResult removeFile(const std::filesystem::path& file);

// The steps of a write, for injecting failures in tests.
enum class WriteStep { CreateTemporary, Write, Flush, Rename, Remove };

// Test seam: called before each step; an errno value makes the step fail with
// it as if the system had refused. Pass nullptr to remove.
using WriteFaultInjector = std::function<std::optional<int>(WriteStep)>;
void setWriteFaultInjector(WriteFaultInjector injector);

}  // namespace tintora
