// A save with failures injected at the fuzzer's choice of steps, into a file
// written through a temporary file or (hard-linked) in place: it succeeds and
// the file holds the new bytes, or it fails and the file holds one version
// whole (the new one when only the flush failed), or the old bytes are kept
// in a copy the message names. Nothing else stays beside the file but that
// copy once its temporaries are tidied.
#include "FuzzFolder.h"
#include "core/text/SafeWrite.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using tintora::fuzz::contentsOf;
using tintora::fuzz::entriesIn;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool inPlace = input.ConsumeBool();
    // One byte per step: which steps fail, and with what.
    const std::uint8_t failing = input.ConsumeIntegral<std::uint8_t>();
    const int errors[] = {ENOSPC, EIO, EDQUOT, EROFS};
    const int error = errors[input.ConsumeIntegralInRange<int>(0, 3)];
    const std::string old = input.ConsumeRandomLengthString(4096);
    const std::string bytes = input.ConsumeRemainingBytesAsString();

    const tintora::fuzz::ScratchFolder scratch;
    const fs::path file = scratch.path() / "w.rm";
    std::ofstream(file, std::ios::binary) << old;
    if (inPlace)
        fs::create_hard_link(file, scratch.path() / "other.rm");
    tintora::setWriteFaultInjector([&](tintora::WriteStep step) -> std::optional<int> {
        if (failing & (1U << static_cast<unsigned>(step)))
            return error;
        return std::nullopt;
    });
    const tintora::Result<tintora::FileStamp> written = tintora::replaceFileContents(file, bytes);
    tintora::setWriteFaultInjector(nullptr);
    tintora::removeStaleTemporaries(scratch.path(), std::chrono::seconds(0));

    const std::string now = contentsOf(file);
    const std::vector<tintora::KeptCopy> kept = tintora::keptCopiesOf(file);
    // Without room for the copy (its temporary file refused) a double fault can tear the file.
    const bool noCopy = inPlace && (failing & (1U << static_cast<unsigned>(tintora::WriteStep::CreateTemporary)));
    if (written.ok() ? now != bytes || !kept.empty() : now != old && now != bytes && kept.empty() && !noCopy)
        std::abort();
    // A copy is kept only when the file holds neither version whole, and the message names it.
    if (!kept.empty()
        && (now == old || contentsOf(kept.front().copy) != old
            || written.problem().find(kept.front().copy.filename().string()) == std::string::npos))
        std::abort();
    if (entriesIn(scratch.path()) != 1 + (inPlace ? 1 : 0) + kept.size())
        std::abort();
    return 0;
}
