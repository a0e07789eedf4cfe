#include "core/text/SafeWrite.h"

#include <cerrno>
#include <cstdint>
#include <random>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
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

// A link is followed, so that the file it names is updated and the link stays.
fs::path writeTarget(const fs::path& path)
{
    std::error_code error;
    if (!fs::is_symlink(path, error))
        return path;
    const fs::path resolved = fs::weakly_canonical(path, error);
    return error ? path : resolved;
}

// Creates a new, so far unused file beside target; errno on failure.
int createTemporary(const fs::path& target, fs::path& temporary, Descriptor& descriptor)
{
    if (const auto fault = injectedFault(WriteStep::CreateTemporary))
        return *fault;
    std::random_device entropy;
    std::uniform_int_distribution<std::uint32_t> digits;
    int error = EEXIST;
    for (int attempt = 0; attempt < 16 && error == EEXIST; ++attempt) {
        temporary = target;
        temporary.replace_filename("." + target.filename().string() + ".tmp" + std::to_string(digits(entropy)));
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            descriptor.adopt(fd);
            return 0;
        }
        error = errno;
    }
    return error;
}

int writeAll(int fd, std::string_view bytes)
{
    if (const auto fault = injectedFault(WriteStep::Write))
        return *fault;
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return errno;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

int flushAndClose(Descriptor& descriptor)
{
    if (const auto fault = injectedFault(WriteStep::Flush))
        return *fault;
    if (::fsync(descriptor.get()) != 0)
        return errno;
    return descriptor.close();
}

int renameOver(const fs::path& temporary, const fs::path& target)
{
    if (const auto fault = injectedFault(WriteStep::Rename))
        return *fault;
    return ::rename(temporary.c_str(), target.c_str()) == 0 ? 0 : errno;
}

// The rename itself is only durable once the folder is flushed; a failure
// here leaves the new file in place, so it is not reported.
void flushFolder(const fs::path& target)
{
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    Descriptor descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (descriptor.get() >= 0)
        ::fsync(descriptor.get());
}

void keepPermissions(const fs::path& target, int fd)
{
    struct stat original { };
    if (::stat(target.c_str(), &original) == 0)
        ::fchmod(fd, original.st_mode & 07777);
}

// Writes and renames; errno of the first step that fails.
int writeThroughTemporary(const fs::path& target, std::string_view bytes)
{
    fs::path temporary;
    Descriptor descriptor;
    if (const int error = createTemporary(target, temporary, descriptor))
        return error;
    keepPermissions(target, descriptor.get());
    int error = writeAll(descriptor.get(), bytes);
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

}  // namespace

std::string cannotWrite(const fs::path& file, std::string_view reason)
{
    return "Cannot write \"" + file.string() + "\": " + std::string(reason) + ".";
}

WriteResult replaceFileContents(const fs::path& target, std::string_view bytes)
{
    if (const int error = writeThroughTemporary(writeTarget(target), bytes))
        return WriteResult::failed(cannotWrite(target, reasonOf(error)));
    return {};
}

WriteResult removeFile(const fs::path& file)
{
    int error = injectedFault(WriteStep::Remove).value_or(0);
    if (error == 0 && ::unlink(file.c_str()) != 0)
        error = errno;
    if (error != 0)
        return WriteResult::failed("Cannot delete \"" + file.string() + "\": " + reasonOf(error) + ".");
    flushFolder(file);
    return {};
}

void setWriteFaultInjector(WriteFaultInjector injector)
{
    faultInjector() = std::move(injector);
}

}  // namespace tintora
