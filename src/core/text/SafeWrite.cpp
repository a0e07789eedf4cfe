#include "core/text/SafeWrite.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <random>
#include <system_error>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace tintora {

namespace fs = std::filesystem;

namespace {

WriteFaultInjector& faultInjector()
{
    static WriteFaultInjector injector;
    return injector;
}

std::optional<int> injectedFault(WriteStep step)
{
    const WriteFaultInjector& injector = faultInjector();
    return injector ? injector(step) : std::nullopt;
}

std::string reasonOf(int error)
{
    return std::generic_category().message(error);
}

class Descriptor {
public:
    explicit Descriptor(int fd = -1)
        : fd_(fd)
    {
    }
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    void adopt(int fd)
    {
        reset();
        fd_ = fd;
    }
    void reset()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }
    // Closes and reports the close's own error: on some file systems a full
    // disk shows only there.
    int close()
    {
        const int result = ::close(std::exchange(fd_, -1));
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// ---------------------------------------------------------------- bytes

std::uint64_t digestOf(std::string_view bytes)
{
    std::uint64_t hash = 14695981039346656037ULL;  // FNV-1a
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

int readAll(int fd, std::string& bytes)
{
    std::array<char, 65536> chunk{};
    for (;;) {
        const ssize_t got = ::read(fd, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            return 0;
        bytes.append(chunk.data(), static_cast<std::size_t>(got));
    }
}

int writeAllAt(int fd, std::string_view bytes, off_t offset)
{
    while (!bytes.empty()) {
        const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return errno;
        bytes.remove_prefix(static_cast<std::size_t>(written));
        offset += written;
    }
    return 0;
}

// The whole contents of an open file become bytes.
int overwrite(int fd, std::string_view bytes)
{
    if (const int error = writeAllAt(fd, bytes, 0))
        return error;
    return ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 ? 0 : errno;
}

int writeFresh(int fd, std::string_view bytes)
{
    if (const auto fault = injectedFault(WriteStep::Write))
        return *fault;
    return writeAllAt(fd, bytes, 0);
}

int flushAndClose(Descriptor& descriptor)
{
    if (const auto fault = injectedFault(WriteStep::Flush))
        return *fault;
    if (::fsync(descriptor.get()) != 0)
        return errno;
    return descriptor.close();
}

fs::path folderOf(const fs::path& file)
{
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// The rename itself is only durable once the folder is flushed; a failure
// here leaves the new file in place, so it is not reported.
void flushFolder(const fs::path& file)
{
    Descriptor descriptor(::open(folderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (descriptor.get() >= 0)
        ::fsync(descriptor.get());
}

// ---------------------------------------------------------------- links

// The file a path ends at, links followed one by one (a relative link is
// read from the folder that holds it), whether it exists or not: a save
// through a link to a file not there yet creates that file. nullopt for a
// loop of links.
std::optional<fs::path> finalTarget(const fs::path& path)
{
    fs::path current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat link { };
        if (::lstat(current.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
            return current;
        std::error_code error;
        const fs::path next = fs::read_symlink(current, error);
        if (error)
            return current;
        current = next.is_absolute() ? next : folderOf(current) / next;
    }
    return std::nullopt;
}

// ---------------------------------------------------------------- names

constexpr std::string_view TemporaryMark = ".tnt";
constexpr std::string_view SetAsideMark = ".tnt-old";
constexpr std::size_t HexDigits = 8;

std::string hex8(std::uint32_t value)
{
    std::string text(HexDigits, '0');
    for (std::size_t i = HexDigits; i-- > 0; value >>= 4)
        text[i] = "0123456789abcdef"[value & 0xF];
    return text;
}

bool isHex8(std::string_view text)
{
    return text.size() == HexDigits && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
    });
}

std::string nameHash(std::string_view name)
{
    return hex8(static_cast<std::uint32_t>(digestOf(name)));
}

std::size_t longestName(const fs::path& folder)
{
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : 255;
}

// "." + as much of the name as fits + "." + the name's hash + suffix: a name
// that fits the folder's limit whatever the target's length (the target's
// own name is never shortened), and that still tells which file it belongs to.
std::string besideName(const fs::path& target, std::string_view suffix)
{
    const std::string name = target.filename().string();
    const std::size_t fixed = 2 + HexDigits + suffix.size();
    const std::size_t limit = longestName(folderOf(target));
    std::size_t kept = std::min(name.size(), limit > fixed ? limit - fixed : 0);
    while (kept > 0 && kept < name.size() && (static_cast<unsigned char>(name[kept]) & 0xC0) == 0x80)
        --kept;  // not in the middle of a character
    std::string beside = ".";  // appended: GCC 12 at -O3 takes a prepended literal for an overflow
    beside.append(name, 0, kept).append(".").append(nameHash(name)).append(suffix);
    return beside;
}

// The parts of a name besideName made: the kept start of the target's name
// and its hash; nullopt for any other name.
struct BesideParts {
    std::string_view start;
    std::string_view hash;
};

std::optional<BesideParts> besideParts(std::string_view name, std::string_view mark, bool randomTail)
{
    if (randomTail) {
        if (name.size() < HexDigits || !isHex8(name.substr(name.size() - HexDigits)))
            return std::nullopt;
        name.remove_suffix(HexDigits);
    }
    if (!name.ends_with(mark))
        return std::nullopt;
    name.remove_suffix(mark.size());
    if (name.size() < 2 + HexDigits || !name.starts_with('.') || !isHex8(name.substr(name.size() - HexDigits)))
        return std::nullopt;
    const std::string_view hash = name.substr(name.size() - HexDigits);
    name.remove_suffix(HexDigits);
    if (!name.ends_with('.'))
        return std::nullopt;
    return BesideParts{name.substr(1, name.size() - 2), hash};
}

// Earlier versions named a temporary file "." + the target's name + ".tmp"
// + digits; such a name counts only beside the file it was made for.
bool isEarlierTemporary(std::string_view name, const std::vector<std::string>& names)
{
    const std::size_t mark = name.rfind(".tmp");
    if (!name.starts_with('.') || mark == std::string_view::npos || mark + 4 == name.size() || mark < 2)
        return false;
    const std::string_view digits = name.substr(mark + 4);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    return std::find(names.begin(), names.end(), name.substr(1, mark - 1)) != names.end();
}

// Whether a set-aside copy's name is one made for the file of that name:
// earlier versions named it without the random digits.
bool isCopyOf(std::string_view copyName, std::string_view fileName)
{
    for (const bool randomTail : {true, false})
        if (const auto parts = besideParts(copyName, SetAsideMark, randomTail))
            return fileName.starts_with(parts->start) && nameHash(fileName) == parts->hash;
    return false;
}

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string());
    return names;
}

bool olderThan(const fs::path& file, std::chrono::seconds age)
{
    struct stat info { };
    if (::lstat(file.c_str(), &info) != 0 || !(S_ISREG(info.st_mode) || S_ISDIR(info.st_mode)))
        return false;
    return std::chrono::system_clock::now() - std::chrono::system_clock::from_time_t(info.st_mtime) >= age;
}

// ---------------------------------------------------------------- keeping what the old file had

std::optional<std::vector<std::string>> attributeNames(const fs::path* file, int fd)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        const ssize_t size = file ? ::listxattr(file->c_str(), nullptr, 0) : ::flistxattr(fd, nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP ? std::optional(std::vector<std::string>()) : std::nullopt;
        std::string list(static_cast<std::size_t>(size), '\0');
        const ssize_t got
            = file ? ::listxattr(file->c_str(), list.data(), list.size()) : ::flistxattr(fd, list.data(), list.size());
        if (got < 0 && errno == ERANGE)
            continue;  // grew meanwhile
        if (got < 0)
            return std::nullopt;
        std::vector<std::string> names;
        for (std::size_t at = 0; at < static_cast<std::size_t>(got); at = list.find('\0', at) + 1)
            names.emplace_back(list.c_str() + at);
        return names;
    }
    return std::nullopt;
}

std::optional<std::string> attributeValue(const fs::path& file, const std::string& name)
{
    const ssize_t size = ::getxattr(file.c_str(), name.c_str(), nullptr, 0);
    if (size < 0)
        return std::nullopt;
    std::string value(static_cast<std::size_t>(size), '\0');
    const ssize_t got = ::getxattr(file.c_str(), name.c_str(), value.data(), value.size());
    if (got < 0)
        return std::nullopt;
    value.resize(static_cast<std::size_t>(got));
    return value;
}

// The new file gets the old one's extended attributes, ACLs among them
// (system.posix_acl_access), and only those (none a default ACL gave it).
bool copyAttributes(const fs::path& from, int fd)
{
    const auto wanted = attributeNames(&from, -1);
    const auto present = attributeNames(nullptr, fd);
    if (!wanted || !present)
        return false;
    for (const std::string& name : *present)
        if (std::find(wanted->begin(), wanted->end(), name) == wanted->end() && ::fremovexattr(fd, name.c_str()) != 0)
            return false;
    for (const std::string& name : *wanted) {
        const auto value = attributeValue(from, name);
        if (!value || ::fsetxattr(fd, name.c_str(), value->data(), value->size(), 0) != 0)
            return false;
    }
    return true;
}

// Owner, group and mode, then the attributes (an ACL set after the mode keeps
// its own mask); false when the new file cannot have all of them.
bool keepWhatTheOldFileHad(const fs::path& target, const struct stat& old, int fd)
{
    struct stat fresh { };
    if (::fstat(fd, &fresh) != 0)
        return false;
    if ((fresh.st_uid != old.st_uid || fresh.st_gid != old.st_gid) && ::fchown(fd, old.st_uid, old.st_gid) != 0)
        return false;
    if (::fchmod(fd, old.st_mode & 07777) != 0 || ::fstat(fd, &fresh) != 0
        || (fresh.st_mode & 07777) != (old.st_mode & 07777))
        return false;  // a set-group-ID bit the system would not give
    return copyAttributes(target, fd);
}

// ---------------------------------------------------------------- the two ways to write

// Creates a new, so far unused file beside target; errno on failure.
int createTemporary(const fs::path& target, fs::path& temporary, Descriptor& descriptor)
{
    if (const auto fault = injectedFault(WriteStep::CreateTemporary))
        return *fault;
    std::random_device entropy;
    std::uniform_int_distribution<std::uint32_t> digits;
    // Room for the random digits is made by the name's start, like the mark's.
    std::string stem = besideName(target, std::string(TemporaryMark) + std::string(HexDigits, '0'));
    stem.resize(stem.size() - HexDigits);
    int error = EEXIST;
    for (int attempt = 0; attempt < 16 && error == EEXIST; ++attempt) {
        temporary = folderOf(target) / (stem + hex8(digits(entropy)));
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            descriptor.adopt(fd);
            return 0;
        }
        error = errno;
    }
    return error;
}

int renameOver(const fs::path& temporary, const fs::path& target)
{
    if (const auto fault = injectedFault(WriteStep::Rename))
        return *fault;
    return ::rename(temporary.c_str(), target.c_str()) == 0 ? 0 : errno;
}

// Not an errno value: the new file could not keep what the old one had.
constexpr int WriteInPlaceInstead = -1;

// Writes and renames; errno of the first step that fails.
int writeThroughTemporary(const fs::path& target, const struct stat* old, std::string_view bytes)
{
    fs::path temporary;
    Descriptor descriptor;
    if (const int error = createTemporary(target, temporary, descriptor))
        return error;
    int error = old && !keepWhatTheOldFileHad(target, *old, descriptor.get()) ? WriteInPlaceInstead : 0;
    if (error == 0)
        error = writeFresh(descriptor.get(), bytes);
    if (error == 0)
        error = flushAndClose(descriptor);
    if (error == 0)
        error = renameOver(temporary, target);
    if (error != 0) {
        descriptor.reset();
        ::unlink(temporary.c_str());
        return error;
    }
    flushFolder(target);
    return 0;
}

// The copy may be read by whoever may read the file, and by no one else: it
// gets the file's owner and mode, or, where the owner cannot be given, is
// left to its maker alone.
void narrowToTheFile(int fd, const struct stat& file)
{
    const bool sameOwner = ::fchown(fd, file.st_uid, file.st_gid) == 0;
    ::fchmod(fd, file.st_mode & (sameOwner ? 0666 : 0600));
}

// A copy of the old bytes beside the file, flushed before the file is
// touched, so that the old version survives a kill: it gets its name only
// once complete (a copy cut short is a mere temporary file), a name of its
// own, so that a copy kept from an earlier crash stays as it is. Nothing but
// the save that made it ever writes it back. Where the folder takes no new
// file the copy held in memory is all there is.
void setAside(const fs::path& target, const struct stat& file, std::string_view old, fs::path& copy)
{
    copy.clear();
    fs::path temporary;
    Descriptor descriptor;
    if (createTemporary(target, temporary, descriptor) != 0)
        return;
    narrowToTheFile(descriptor.get(), file);
    std::random_device entropy;
    const fs::path named = folderOf(target)
        / besideName(target, std::string(SetAsideMark) + hex8(std::uniform_int_distribution<std::uint32_t>()(entropy)));
    int error = writeAllAt(descriptor.get(), old, 0);
    if (error == 0)
        error = ::fsync(descriptor.get()) == 0 ? 0 : errno;
    if (error == 0)
        error = ::link(temporary.c_str(), named.c_str()) == 0 ? 0 : errno;
    ::unlink(temporary.c_str());
    if (error == 0) {
        copy = named;
        flushFolder(copy);
    }
}

// After a failed write the old bytes go back; when even that fails, the copy
// stays unless the file holds the old or the new bytes in full after all.
bool putBack(int fd, std::string_view old, std::string_view bytes)
{
    if (injectedFault(WriteStep::Restore).value_or(0) == 0 && overwrite(fd, old) == 0 && ::fsync(fd) == 0)
        return true;
    std::string now;
    return ::lseek(fd, 0, SEEK_SET) == 0 && readAll(fd, now) == 0 && (now == old || now == bytes);
}

// Rewrites the file itself, so that its inode, and with it every other name,
// its owner and its attributes, stay; a failure puts the old bytes back.
// While it runs, the file is locked: EBUSY when another save of it is under
// way. keptCopy names the copy of the old bytes when nothing could put them back.
int writeInPlace(const fs::path& target, std::string_view bytes, fs::path& keptCopy)
{
    Descriptor file(::open(target.c_str(), O_RDWR | O_CLOEXEC));
    struct stat info { };
    std::string old;
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0)
        return errno;
    // The lock goes with the descriptor: no kill leaves it behind.
    if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0)
        return errno == EWOULDBLOCK ? EBUSY : errno;
    if (const int error = readAll(file.get(), old))
        return error;
    fs::path copy;
    setAside(target, info, old, copy);
    int error = injectedFault(WriteStep::Write).value_or(0);
    if (error != 0)
        writeAllAt(file.get(), bytes.substr(0, bytes.size() / 2), 0);  // as a disk that fills midway
    else
        error = overwrite(file.get(), bytes);
    if (error == 0)
        error = injectedFault(WriteStep::Flush).value_or(0);
    if (error == 0 && ::fsync(file.get()) != 0)
        error = errno;
    if (error != 0 && !putBack(file.get(), old, bytes) && !copy.empty()) {
        keptCopy = copy;
        return error;
    }
    if (!copy.empty()) {
        ::unlink(copy.c_str());
        flushFolder(copy);
    }
    return error;
}

// Where the new bytes go, and how.
int writeFile(const fs::path& target, std::string_view bytes, fs::path& keptCopy)
{
    struct stat old { };
    if (::stat(target.c_str(), &old) != 0)
        return writeThroughTemporary(target, nullptr, bytes);
    // Renaming needs only the folder's permission; the file's own is what the user was given.
    if (::access(target.c_str(), W_OK) != 0)
        return errno;
    const int error = old.st_nlink > 1 ? WriteInPlaceInstead : writeThroughTemporary(target, &old, bytes);
    return error == WriteInPlaceInstead ? writeInPlace(target, bytes, keptCopy) : error;
}

}  // namespace

// ---------------------------------------------------------------- stamps

FileStamp stampOfBytes(std::string_view bytes)
{
    return {true, bytes.size(), digestOf(bytes)};
}

FileStamp stampOfFile(const fs::path& file)
{
    Descriptor descriptor(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info { };
    if (descriptor.get() < 0 || ::fstat(descriptor.get(), &info) != 0)
        return {};
    std::string bytes;
    if (S_ISREG(info.st_mode) && readAll(descriptor.get(), bytes) != 0)
        return {};
    return stampOfBytes(bytes);
}

bool changedOnDisk(const fs::path& file, const FileStamp& whenRead)
{
    const FileStamp now = stampOfFile(file);
    return now.exists && now != whenRead;
}

std::string changedOnDiskQuestion(const fs::path& file)
{
    return file.filename().string()
        + " was changed on disk since it was opened. Overwrite it, or keep the file and reload?";
}

// ---------------------------------------------------------------- writing

std::string cannotWrite(const fs::path& file, std::string_view reason)
{
    return "Cannot write \"" + file.string() + "\": " + std::string(reason) + ".";
}

std::optional<std::string> notAFileReason(const fs::path& target)
{
    struct stat info { };
    if (::stat(target.c_str(), &info) != 0 || S_ISREG(info.st_mode))
        return std::nullopt;
    const char* kind = "something other than a file";
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        kind = "a device";
    else if (S_ISFIFO(info.st_mode))
        kind = "a pipe";
    else if (S_ISSOCK(info.st_mode))
        kind = "a socket";
    else if (S_ISDIR(info.st_mode))
        kind = "a folder";
    return "it is " + std::string(kind) + ", not a file";
}

Result<FileStamp> replaceFileContents(const fs::path& target, std::string_view bytes)
{
    const std::optional<fs::path> file = finalTarget(target);
    if (!file)
        return Failure(cannotWrite(target, reasonOf(ELOOP)));
    if (const auto reason = notAFileReason(*file))
        return Failure(cannotWrite(target, *reason));
    removeStaleTemporaries(folderOf(*file));
    fs::path keptCopy;
    if (const int error = writeFile(*file, bytes, keptCopy)) {
        if (keptCopy.empty())
            return Failure(cannotWrite(target, reasonOf(error)));
        return Failure(
            cannotWrite(target, reasonOf(error)) + " Its earlier contents are kept in \"" + keptCopy.string() + "\".");
    }
    return stampOfBytes(bytes);
}

namespace {

std::string cannotDelete(const fs::path& file, int error)
{
    return "Cannot delete \"" + file.string() + "\": " + reasonOf(error) + ".";
}

}  // namespace

std::optional<std::string> removalProblem(const fs::path& file)
{
    struct stat info { };
    if (::lstat(file.c_str(), &info) != 0)
        return cannotDelete(file, errno);
    // Removing a name is a change of its folder; the file's own permission counts as in removeFile.
    if (::access(folderOf(file).c_str(), W_OK | X_OK) != 0
        || (!S_ISLNK(info.st_mode) && ::access(file.c_str(), W_OK) != 0))
        return cannotDelete(file, errno);
    return std::nullopt;
}

Result<> removeFile(const fs::path& file)
{
    int error = injectedFault(WriteStep::Remove).value_or(0);
    struct stat info { };
    // Removing needs only the folder's permission; a file the user may not
    // write is not theirs to remove either. A link is removed as a link.
    if (error == 0 && ::lstat(file.c_str(), &info) == 0 && !S_ISLNK(info.st_mode) && ::access(file.c_str(), W_OK) != 0)
        error = errno;
    if (error == 0 && ::unlink(file.c_str()) != 0)
        error = errno;
    if (error != 0)
        return Failure(cannotDelete(file, error));
    flushFolder(file);
    return {};
}

std::optional<std::string> unreadableReason(const fs::path& file)
{
    struct stat info { };
    if (::stat(file.c_str(), &info) != 0)
        return errno == ENOENT ? std::nullopt : std::optional(reasonOf(errno));
    if (!S_ISREG(info.st_mode))
        return std::nullopt;
    const Descriptor descriptor(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (descriptor.get() < 0)
        return reasonOf(errno);
    return std::nullopt;
}

void removeStaleTemporaries(const fs::path& folder, std::chrono::seconds age)
{
    const std::vector<std::string> names = namesIn(folder);
    for (const std::string& name : names) {
        const fs::path file = folder / name;
        if (!name.starts_with('.') || !olderThan(file, age))
            continue;
        if (besideParts(name, TemporaryMark, true) || isEarlierTemporary(name, names))
            removeTemporary(file);
    }
}

Result<fs::path> makeTemporaryBeside(const fs::path& target, Scratch kind)
{
    fs::path temporary;
    Descriptor descriptor;
    if (const int error = createTemporary(target, temporary, descriptor))
        return Failure(cannotWrite(target, reasonOf(error)));
    descriptor.reset();
    if (kind == Scratch::File)
        return temporary;
    // The name is taken by the file: the folder goes in its place.
    if (::unlink(temporary.c_str()) != 0 || ::mkdir(temporary.c_str(), 0700) != 0)
        return Failure(cannotWrite(target, reasonOf(errno)));
    return temporary;
}

void removeTemporary(const fs::path& temporary)
{
    struct stat info { };
    if (::lstat(temporary.c_str(), &info) != 0)
        return;
    if (S_ISDIR(info.st_mode)) {
        // Only the files a writer made in it: nothing deeper is followed.
        for (const std::string& name : namesIn(temporary))
            ::unlink((temporary / name).c_str());
        ::rmdir(temporary.c_str());
        return;
    }
    ::unlink(temporary.c_str());
}

std::vector<KeptCopy> keptCopiesOf(const fs::path& file)
{
    std::vector<KeptCopy> copies;
    struct stat owner { };
    const bool fileThere = ::stat(file.c_str(), &owner) == 0;
    const std::string fileName = file.filename().string();
    for (const std::string& name : namesIn(folderOf(file))) {
        const fs::path copy = folderOf(file) / name;
        struct stat info { };
        if (!isCopyOf(name, fileName) || ::lstat(copy.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
            continue;
        copies.push_back({copy, fileThere && info.st_uid == owner.st_uid});
    }
    std::sort(copies.begin(), copies.end(), [](const KeptCopy& a, const KeptCopy& b) { return a.copy < b.copy; });
    return copies;
}

std::string keptCopyQuestion(const fs::path& file, const fs::path& copy)
{
    return "An earlier save of " + file.filename().string() + " was interrupted; its older version was kept in "
        + copy.filename().string()
        + ".\n\nOpen the kept version as a new formula, keep the file as it is (the copy stays), or delete the copy?";
}

std::string foreignCopyNotice(const fs::path& file, const fs::path& copy)
{
    return copy.filename().string() + " beside " + file.filename().string() + " was not left by a save of "
        + file.filename().string() + "'s owner; it is not used.";
}

void setWriteFaultInjector(WriteFaultInjector injector)
{
    faultInjector() = std::move(injector);
}

}  // namespace tintora
