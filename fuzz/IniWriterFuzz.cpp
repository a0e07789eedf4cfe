// Writing one key into any file: either the write is refused and the file is
// left byte for byte as it was, or the value reads back as written, every
// other key reads exactly as before, and no byte changed but those of the
// one value or the one inserted entry (or section). A Windows-1252 file that
// must take a character its code page lacks is converted to UTF-8 whole; the
// comparison is then with the converted file. Plain names and values written
// into a UTF-8 file are never refused.
#include "FuzzFolder.h"
#include "IniModel.h"
#include "core/text/IniFile.h"
#include "core/text/TextEncoding.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace {

namespace fs = std::filesystem;
using tintora::IniFile;
using namespace tintora::fuzz;

bool isPlain(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
}

bool hasLineEnd(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// Everything but one stretch of bytes is the same, and the stretch that was
// replaced held no line end: one value changed, or whole lines were inserted.
bool changedInOnePlace(std::string_view before, std::string_view after)
{
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix
        && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    return !hasLineEnd(before.substr(prefix, before.size() - prefix - suffix));
}

std::string asUtf8(std::string_view bytes)
{
    const std::size_t mark = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    return std::string(bytes.substr(0, mark)) + tintora::decodeFileText(bytes.substr(mark));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(24);
    const std::string key = input.ConsumeRandomLengthString(24);
    const std::string value = input.ConsumeRandomLengthString(1100);
    const std::string before = input.ConsumeRemainingBytesAsString();

    const tintora::fuzz::ScratchFolder scratch;
    const fs::path path = scratch.path() / "w.ini";
    std::ofstream(path, std::ios::binary) << before;
    const FlatEntries entriesBefore = flatEntries(IniFile::parse(before));
    const bool written = tintora::writeIniString(path, section, key, value).ok();
    const std::string after = contentsOf(path);
    // No temporary file stays behind, whatever happened.
    if (std::distance(fs::directory_iterator(scratch.path()), fs::directory_iterator()) != 1)
        std::abort();

    const std::string_view body = std::string_view(before).substr(before.starts_with("\xEF\xBB\xBF") ? 3 : 0);
    if (!written) {
        if (after != before)
            std::abort();
        // Bytes with a NUL are no text, and no text is edited.
        if (tintora::isValidUtf8(body) && body.find('\0') == std::string_view::npos && isPlain(section) && isPlain(key)
            && isPlain(value))
            std::abort();
    } else {
        FlatEntries expected = entriesBefore;
        expected[{lower(trimmed(section)), lower(trimmed(key))}] = modelValue(value);
        if (flatEntries(IniFile::parse(after)) != expected)
            std::abort();
        // The file as it was, or (Windows-1252 before) as it reads when converted whole.
        if (!changedInOnePlace(before, after)
            && (tintora::isValidUtf8(body) || !changedInOnePlace(asUtf8(before), after)))
            std::abort();
    }
    return 0;
}
