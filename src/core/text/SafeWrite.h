#pragma once
// Replacing a file's contents so that a crash, a full disk or a killed process
// leaves either the old file or the new one: the new bytes go to a temporary
// file in the same folder, are flushed to the disk, and the temporary file is
// renamed over the old one, with the old file's mode, group, owner, ACLs and
// extended attributes. A file whose other names (hard links), owner or
// attributes a new file could not keep is written in place instead, its old
// bytes copied aside first: a failure puts them back, and a kill leaves the
// copy, which nothing writes back by itself (see keptCopiesOf).
#include "core/text/Result.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintora {

// What a file held when it was read, to tell later whether someone else has
// changed it since. Only the bytes count: a file touched, or rewritten with
// the same bytes, holds nothing that a save could lose.
struct FileStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::uint64_t digest = 0;  // of every byte
    bool operator==(const FileStamp&) const = default;
};

// The stamp of a file holding exactly these bytes.
FileStamp stampOfBytes(std::string_view bytes);
// The stamp of the file as it is now (a link is followed); a missing or
// unreadable file gives exists == false.
FileStamp stampOfFile(const std::filesystem::path& file);
// Whether the file no longer holds what it held when stamped. A file that
// was there and is gone now is no change: saving puts the work back.
bool changedOnDisk(const std::filesystem::path& file, const FileStamp& whenRead);
// "primer.tfx was changed on disk since it was opened. Overwrite it, or keep the file and reload?"
std::string changedOnDiskQuestion(const std::filesystem::path& file);

// "Cannot write "<file>": <reason>."
std::string cannotWrite(const std::filesystem::path& file, std::string_view reason);

// Writes bytes as the new contents of target. A file the user may not write
// is refused ("Permission denied") even where the folder would allow
// replacing it, and so is anything but a regular file (notAFileReason). A link is followed, so the linked file changes
// and the link stays; a link to a file not there yet creates that file. On success the result is the stamp of what the
// file holds now; a failure names the file and the reason ("Cannot write "x.tfx": No space left on device.").
Result<FileStamp> replaceFileContents(const std::filesystem::path& target, std::string_view bytes);

// Why target, its links followed, is nothing a save may write: "it is a
// device, not a file" (a pipe, a socket, a folder); nullopt for a regular
// file or none at all. Every writer refuses such a target.
std::optional<std::string> notAFileReason(const std::filesystem::path& target);

// Removes a file; the result names it and the reason when that fails. A file
// the user may not write is not removed either.
Result<> removeFile(const std::filesystem::path& file);
// Why removeFile would fail, asked before offering it ("Cannot delete "x":
// Permission denied."); nullopt when it may well succeed.
std::optional<std::string> removalProblem(const std::filesystem::path& file);

// Why a file that exists cannot be opened for reading ("Permission denied"),
// nullopt when it can (or is not there at all).
std::optional<std::string> unreadableReason(const std::filesystem::path& file);

// A new, empty file (or, with Scratch::Folder, a folder for a writer's own
// scratch files) beside target, named as this program's temporary files are,
// so that what a kill leaves of it is tidied: for a writer that makes the
// file by itself before replaceFileContents-like renaming (the workbook).
enum class Scratch { File, Folder };
Result<std::filesystem::path> makeTemporaryBeside(const std::filesystem::path& target, Scratch kind);
// Removes such a temporary file, or folder with the files in it.
void removeTemporary(const std::filesystem::path& temporary);

// Tidies what interrupted saves left in folder, each at least age old
// (a younger one may belong to a save under way): a temporary file (or
// scratch folder) is removed. The copy of a file that was being rewritten in place stays: it
// may be all that is left of the older version.
void removeStaleTemporaries(const std::filesystem::path& folder, std::chrono::seconds age = std::chrono::seconds(60));

// The copies of a file's older version that interrupted saves kept beside it.
// One whose owner is not the file's was not made by a save of that file's
// owner (anyone who may write in the folder can plant one): it is never used.
struct KeptCopy {
    std::filesystem::path copy;
    bool ownedByTheFilesOwner = false;
};
std::vector<KeptCopy> keptCopiesOf(const std::filesystem::path& file);

// "An earlier save of primer.tfx was interrupted; its older version was kept in ..."
std::string keptCopyQuestion(const std::filesystem::path& file, const std::filesystem::path& copy);
// "... was not left by a save of primer.tfx's owner; it is not used."
std::string foreignCopyNotice(const std::filesystem::path& file, const std::filesystem::path& copy);

// The steps of a write, for injecting failures in tests; Restore is putting
// the old bytes back after a failed write in place.
enum class WriteStep { CreateTemporary, Write, Flush, Rename, Remove, Restore };

// Test seam: called before each step; an errno value makes the step fail with
// it as if the system had refused (a write in place after half its bytes, as
// on a disk that fills). Pass nullptr to remove.
using WriteFaultInjector = std::function<std::optional<int>(WriteStep)>;
void setWriteFaultInjector(WriteFaultInjector injector);

}  // namespace tintora
