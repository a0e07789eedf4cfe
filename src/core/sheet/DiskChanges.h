#pragma once
// Before a file read earlier is written: when someone else changed it since,
// the user decides whether to overwrite their change or to read the file again.
#include "core/prompt/Prompter.h"
#include "core/text/SafeWrite.h"

#include <filesystem>

namespace tintora {

// Overwrite when the file still holds what it held when read (or is gone);
// otherwise the answer to changedOnDiskQuestion.
inline Prompter::DiskChangeAnswer askBeforeOverwriting(
    Prompter& prompter, const std::filesystem::path& file, const FileStamp& whenRead)
{
    if (!changedOnDisk(file, whenRead))
        return Prompter::DiskChangeAnswer::Overwrite;
    return prompter.askOverwriteOrReload(changedOnDiskQuestion(file));
}

}  // namespace tintora
