#include "core/text/SafeWrite.h"
#include "core/sheet/DiskChanges.h"
#include "core/text/IniFile.h"
#include "core/text/NumberText.h"

#include "../TempFolder.h"
#include "ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace tintora {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

std::string load(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct stat statOf(const fs::path& file)
{
    struct stat info { };
    EXPECT_EQ(::lstat(file.c_str(), &info), 0) << file;
    return info;
}

// The user "nobody", whom the permissions of a file bind (root's would not).
constexpr uid_t OtherUser = 65534;
constexpr gid_t OtherGroup = 65534;

// Runs body in a child process as OtherUser and hands back what it returned;
// as an ordinary user already the body runs as that user. nullopt when the
// user cannot be changed.
std::optional<std::string> asOrdinaryUser(const std::function<std::string()>& body)
{
    if (::geteuid() != 0)
        return body();
    int channel[2];
    if (::pipe(channel) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(OtherGroup) != 0 || ::setuid(OtherUser) != 0)
            ::_exit(2);
        const std::string said = body();
        const bool sent = ::write(channel[1], said.data(), said.size()) == static_cast<ssize_t>(said.size());
        ::_exit(sent ? 0 : 3);
    }
    ::close(channel[1]);
    std::string said;
    char chunk[4096];
    for (ssize_t got; (got = ::read(channel[0], chunk, sizeof chunk)) > 0;)
        said.append(chunk, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return said;
}

// A folder every user may write into, for tests that run as another user.
class SharedFolder : public TempFolder {
public:
    SharedFolder() { fs::permissions(path(), fs::perms::all); }
};

// ---------------------------------------------------------------- someone else's change

TEST(SafeWrite, ASaveIntoAFileChangedSinceItWasReadAsksFirst)
{
    TempFolder folder;
    const fs::path file = folder.write("primer.tfx", "[Formula]\nName=A\n");
    const FileStamp whenRead = stampOfFile(file);
    testing::ScriptedPrompter prompter;
    using DiskAnswer = Prompter::DiskChangeAnswer;

    // Touched, or rewritten with the same bytes: nothing to lose, nothing asked.
    folder.write("primer.tfx", "[Formula]\nName=A\n");
    EXPECT_EQ(askBeforeOverwriting(prompter, file, whenRead), DiskAnswer::Overwrite);
    fs::remove(file);
    EXPECT_EQ(askBeforeOverwriting(prompter, file, whenRead), DiskAnswer::Overwrite);
    EXPECT_TRUE(prompter.shown.empty());

    // The same length, other bytes; then another length: asked each time.
    for (const char* other : {"[Formula]\nName=B\n", "[Formula]\nName=Bee\n"}) {
        folder.write("primer.tfx", other);
        for (const DiskAnswer answer : {DiskAnswer::Overwrite, DiskAnswer::Reload, DiskAnswer::Cancel}) {
            prompter.diskChangeAnswers = {answer};
            EXPECT_EQ(askBeforeOverwriting(prompter, file, whenRead), answer);
        }
    }
    ASSERT_EQ(prompter.shown.size(), 6u);
    EXPECT_EQ(prompter.shown.back(),
        (testing::ShownMessage{testing::ShownMessage::Kind::OverwriteReloadCancel,
            "primer.tfx was changed on disk since it was opened. Overwrite it, or keep the file and reload?"}));
    // What a save wrote is what it stamps.
    const Result<FileStamp> written = replaceFileContents(file, "[Formula]\nName=C\n");
    EXPECT_EQ(written.value(), stampOfFile(file));
    EXPECT_FALSE(changedOnDisk(file, written.value()));
}

// ---------------------------------------------------------------- permissions

// Save, Save As over the file, and Delete, as a user who may not write the
// file but may write its folder; and the reasons named when the file or the
// folder cannot be read.
TEST(SafeWrite, AFileTheUserMayNotWriteOrReadIsLeftAsItIs)
{
    const SharedFolder folder;
    const std::string before = "[Material]\nName=water\n";
    const fs::path locked = folder.write("water.rm", before);
    const fs::path secret = folder.write("secret.rm", before);
    const fs::path closed = folder.path() / "closed";
    fs::create_directory(closed);
    const fs::path inClosed = closed / "inner.rm";
    std::ofstream(inClosed) << before;
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(secret, fs::perms::owner_write);
    fs::permissions(closed, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_write);

    const auto said = asOrdinaryUser([&] {
        return replaceFileContents(locked, "[Material]\nName=ice\n").problem() + "|"
            + writeIniChanges(locked, {{"Material", "Name", "ice"}}).problem() + "|"
            + writeIniChanges(locked, {{"Material", "Name", "ice"}}, secret).problem() + "|"
            + removeFile(locked).problem() + "|" + writeIniChanges(secret, {{"Material", "Name", "ice"}}).problem()
            + "|" + writeIniChanges(inClosed, {{"Material", "Name", "ice"}}).problem() + "|"
            + removalProblem(locked).value_or("") + "|" + removalProblem(inClosed).value_or("");
    });
    if (!said)
        GTEST_SKIP() << "cannot run as another user here";
    const std::string denied = "Permission denied";
    EXPECT_EQ(*said,
        cannotWrite(locked, denied) + "|" + cannotWrite(locked, denied) + "|"
            + cannotWrite(locked, quotedName(secret.string()) + ": " + denied) + "|Cannot delete \"" + locked.string()
            + "\": " + denied + ".|" + cannotWrite(secret, denied) + "|" + cannotWrite(inClosed, denied)
            + "|Cannot delete \"" + locked.string() + "\": " + denied + ".|Cannot delete \"" + inClosed.string()
            + "\": " + denied + ".");
    EXPECT_EQ(load(locked), before);
    EXPECT_EQ(fs::status(locked).permissions(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"closed", "secret.rm", "water.rm"}));
}

// ---------------------------------------------------------------- what a save keeps

struct Kept {
    const char* what;
    // Lays out the file (and whatever goes with it); returns the name to save through.
    std::function<fs::path(const fs::path& folder)> prepare;
    // What must hold afterwards; an empty text when it does.
    std::function<std::string(const fs::path& folder)> check;
};

constexpr const char* Before = "[Material]\nName=tio2\nSpec=4.100\n";
constexpr const char* After = "[Material]\nName=tio2\nSpec=4.250\n";

fs::path plainFile(const fs::path& folder, const char* name = "tio2.rm")
{
    std::ofstream(folder / name, std::ios::binary) << Before;
    return folder / name;
}

std::string expectSame(const std::string& what, auto got, auto wanted)
{
    if (got == wanted)
        return {};
    std::ostringstream text;
    text << what << ": " << got << " instead of " << wanted;
    return text.str();
}

std::string aclOf(const fs::path& file)
{
    const std::string command = "getfacl -cp '" + file.string() + "' 2>/dev/null";
    std::string listing;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char chunk[512];
        for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
            listing.append(chunk, got);
        ::pclose(pipe);
    }
    return listing;
}

std::vector<Kept> keptCases()
{
    return {
        {"the other names of a hard-linked file",
            [](const fs::path& folder) {
                fs::create_hard_link(plainFile(folder), folder / "titanium.rm");
                return folder / "tio2.rm";
            },
            [](const fs::path& folder) { return expectSame("the link", load(folder / "titanium.rm"), After); }},
        {"another user's ownership, saved by root",
            [](const fs::path& folder) {
                const fs::path file = plainFile(folder);
                if (::geteuid() != 0 || ::chown(file.c_str(), OtherUser, OtherGroup) != 0)
                    return fs::path();
                fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
                return file;
            },
            [](const fs::path& folder) {
                const struct stat info = statOf(folder / "tio2.rm");
                return expectSame("owner", info.st_uid, OtherUser) + expectSame("group", info.st_gid, OtherGroup)
                    + expectSame("mode", info.st_mode & 07777, 0600u);
            }},
        {"an ACL entry and the mode",
            [](const fs::path& folder) {
                const fs::path file = plainFile(folder);
                fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
                const std::string command = "setfacl -m u:12345:rw- '" + file.string() + "' 2>/dev/null";
                return std::system(command.c_str()) == 0 ? file : fs::path();
            },
            [](const fs::path& folder) {
                const std::string acl = aclOf(folder / "tio2.rm");
                return expectSame(
                    "ACL", acl, std::string("user::rw-\nuser:12345:rw-\ngroup::r--\nmask::rw-\nother::---\n\n"));
            }},
        {"an extended attribute",
            [](const fs::path& folder) {
                const fs::path file = plainFile(folder);
                return ::setxattr(file.c_str(), "user.origin", "lab 3", 5, 0) == 0 ? file : fs::path();
            },
            [](const fs::path& folder) {
                char value[16] = {};
                const ssize_t got = ::getxattr((folder / "tio2.rm").c_str(), "user.origin", value, sizeof value);
                return expectSame(
                    "attribute", std::string(value, got > 0 ? static_cast<std::size_t>(got) : 0), std::string("lab 3"));
            }},
        {"a link to a file not there yet",
            [](const fs::path& folder) {
                fs::create_directory(folder / "real");
                fs::create_symlink("real/tio2.rm", folder / "alias.rm");
                return folder / "alias.rm";
            },
            [](const fs::path& folder) {
                return expectSame("link", fs::is_symlink(folder / "alias.rm"), true)
                    + expectSame("target", load(folder / "real" / "tio2.rm"), After);
            }},
    };
}

TEST(SafeWrite, ASaveKeepsLinksOwnerPermissionsAndAttributes)
{
    for (const Kept& kept : keptCases()) {
        SCOPED_TRACE(kept.what);
        TempFolder folder;
        const fs::path target = kept.prepare(folder.path());
        if (target.empty()) {
            std::cout << "[ SKIPPED  ] " << kept.what << ": not possible on this system or for this user\n";
            continue;
        }
        const auto namesBefore = namesIn(folder.path());
        const Result<FileStamp> written = replaceFileContents(target, After);
        EXPECT_TRUE(written.ok()) << written.problem();
        EXPECT_EQ(load(target), After);
        EXPECT_EQ(kept.check(folder.path()), "");
        EXPECT_EQ(namesIn(folder.path()), namesBefore);  // nothing left beside
    }
}

// A group-writable file of another owner: the new file could not be given
// that owner, so the file is written in place and stays theirs.
TEST(SafeWrite, AnotherOwnersSharedFileStaysTheirs)
{
    const SharedFolder folder;
    const fs::path file = plainFile(folder.path());
    fs::permissions(file,
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::group_write
            | fs::perms::others_read | fs::perms::others_write);
    const struct stat before = statOf(file);
    const auto said = asOrdinaryUser([&] { return replaceFileContents(file, After).problem(); });
    if (!said || ::geteuid() != 0)
        GTEST_SKIP() << "needs root to lay out another user's file";
    EXPECT_EQ(*said, "");
    const struct stat after = statOf(file);
    EXPECT_EQ(load(file), After);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"tio2.rm"});
}

// Written in place (a hard-linked file), a failure while writing or flushing
// puts the old bytes back and leaves nothing beside the file.
TEST(SafeWrite, AFailedWriteInPlaceRestoresTheOldBytes)
{
    TempFolder folder;
    const fs::path file = plainFile(folder.path());
    fs::create_hard_link(file, folder.path() / "titanium.rm");
    const std::string longer = std::string(After) + std::string(100000, ';') + "\n";
    for (const WriteStep step : {WriteStep::Write, WriteStep::Flush}) {
        for (const std::string& bytes : {std::string("x"), longer}) {
            setWriteFaultInjector([=](WriteStep at) { return at == step ? std::optional(ENOSPC) : std::nullopt; });
            const Result<FileStamp> result = replaceFileContents(file, bytes);
            setWriteFaultInjector(nullptr);
            EXPECT_EQ(result.problem(), cannotWrite(file, "No space left on device"));
            EXPECT_EQ(load(folder.path() / "titanium.rm"), Before);
            EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"tio2.rm", "titanium.rm"}));
        }
    }
}

// Only regular files are written: a pipe, a device, a folder, or a link to
// one, is refused with its kind and stays what it was.
TEST(SafeWrite, OnlyRegularFilesAreWritten)
{
    TempFolder folder;
    const fs::path pipe = folder.path() / "fifo.tfx";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    const fs::path device = folder.path() / "device.tfx";
    const bool root = ::geteuid() == 0 && ::mknod(device.c_str(), S_IFCHR | 0644, ::makedev(1, 3)) == 0;
    fs::create_directory(folder.path() / "folder.tfx");
    fs::create_symlink(pipe, folder.path() / "pipelink.tfx");
    struct Case {
        const char* name;
        const char* kind;
        bool made;
    };
    for (const Case& c : {Case{"fifo.tfx", "a pipe", true}, Case{"pipelink.tfx", "a pipe", true},
             Case{"device.tfx", "a device", root}, Case{"folder.tfx", "a folder", true}}) {
        if (!c.made)
            continue;
        const fs::path target = folder.path() / c.name;
        const std::string refusal = cannotWrite(target, std::string("it is ") + c.kind + ", not a file");
        EXPECT_EQ(replaceFileContents(target, After).problem(), refusal);
        EXPECT_EQ(writeIniChanges(target, {{"Material", "Name", "ice"}}).problem(), refusal);
    }
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_TRUE(!root || fs::is_character_file(device));
}

// ---------------------------------------------------------------- long names

TEST(SafeWrite, NamesUpToTheLongestAllowedAreSaved)
{
    TempFolder folder;
    for (const std::size_t length : {200u, 230u, 241u, 242u, 250u, 254u, 255u}) {
        for (const bool linked : {false, true}) {
            // ".rm" after a run of two-byte characters, so that a cut can fall inside one
            std::string name(length % 2 ? 2 : 1, 'x');
            while (name.size() + 2 + 3 <= length)
                name += "\xC3\xA9";
            name.append(length - 3 - name.size(), 'y');
            name += ".rm";
            ASSERT_EQ(name.size(), length);
            const fs::path file = folder.path() / name;
            SCOPED_TRACE(std::to_string(length) + (linked ? " linked" : ""));
            EXPECT_TRUE(replaceFileContents(file, Before).ok());
            if (linked)
                fs::create_hard_link(file, folder.path() / "link");
            const Result<FileStamp> again = replaceFileContents(file, After);
            EXPECT_TRUE(again.ok()) << again.problem();
            EXPECT_EQ(load(file), After);
            fs::remove(file);
            fs::remove(folder.path() / "link");
            EXPECT_TRUE(namesIn(folder.path()).empty());
        }
    }
}

// ---------------------------------------------------------------- killed saves

// Saves A and B into the file by turns until killed.
[[noreturn]] void saveForever(const fs::path& file, const std::string& a, const std::string& b)
{
    for (int i = 0;; ++i)
        if (!replaceFileContents(file, i % 2 ? a : b))
            ::_exit(1);
}

void ageEverythingIn(const fs::path& folder)
{
    for (const auto& entry : fs::directory_iterator(folder))
        fs::last_write_time(entry.path(), fs::file_time_type::clock::now() - std::chrono::minutes(2));
}

// A save killed at a random moment leaves the old file or the new one, on
// both ways of writing, or (written in place) a kept copy of the old one,
// which nothing writes back by itself; its temporary files are tidied once
// they are a minute old.
TEST(SafeWrite, AKilledSaveLeavesTheOldOrTheNewFileAndItsLeftoversGo)
{
    const std::string a(1 << 20, 'a');
    const std::string b = "[Material]\n" + std::string((3 << 19) - 11, 'b');
    std::mt19937 random(20261207);
    for (const bool inPlace : {false, true}) {
        SCOPED_TRACE(inPlace ? "in place" : "temporary file and rename");
        TempFolder folder;
        const fs::path file = folder.path() / "kill.rm";
        ASSERT_TRUE(replaceFileContents(file, a));
        if (inPlace)
            fs::create_hard_link(file, folder.path() / "other.rm");
        const std::size_t entries = namesIn(folder.path()).size();
        int leftovers = 0;
        for (int round = 0; round < 25; ++round) {
            const pid_t child = ::fork();
            if (child == 0)
                saveForever(file, a, b);
            std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution(0, 30000)(random)));
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            leftovers += static_cast<int>(namesIn(folder.path()).size() - entries);
            const std::string now = load(file);
            // A young leftover may be a save under way: kept. An old one goes.
            removeStaleTemporaries(folder.path());
            ageEverythingIn(folder.path());
            removeStaleTemporaries(folder.path());
            ASSERT_EQ(load(file), now) << "the tidy wrote into the file";
            const std::vector<KeptCopy> kept = keptCopiesOf(file);
            ASSERT_LE(kept.size(), inPlace ? 1u : 0u);
            if (kept.empty()) {
                ASSERT_TRUE(now == a || now == b) << "a torn file of " << now.size() << " bytes";
            } else {
                const std::string old = load(kept[0].copy);
                ASSERT_TRUE(old == a || old == b) << "a torn copy of " << old.size() << " bytes";
                fs::remove(kept[0].copy);  // as the user would, once the file is seen to
                ASSERT_TRUE(replaceFileContents(file, old));
            }
            ASSERT_EQ(namesIn(folder.path()).size(), entries);
            if (inPlace) {
                ASSERT_EQ(load(folder.path() / "other.rm"), load(file));
            }
        }
        std::cout << "[          ] " << leftovers << " of 25 kills left something beside the file\n";
    }
}

// When the old bytes cannot be put back either, the copy of them stays, with
// the file's owner and mode, and the message names it; only the failed save
// itself ever wrote back, and a later save is not held up by the copy.
TEST(SafeWrite, ADoubleFaultKeepsTheCopyAndNothingWritesItBackLater)
{
    const SharedFolder folder;
    const fs::path file = plainFile(folder.path());
    fs::create_hard_link(file, folder.path() / "titanium.rm");
    ::chmod(file.c_str(), 0640);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(file.c_str(), OtherUser, OtherGroup), 0);
    }
    setWriteFaultInjector([](WriteStep at) {
        return at == WriteStep::Write || at == WriteStep::Restore ? std::optional(EIO) : std::nullopt;
    });
    // Half of it written over the old bytes, the file holds neither version.
    const Result<FileStamp> failed = replaceFileContents(file, "changed through and through");
    setWriteFaultInjector(nullptr);
    const std::vector<KeptCopy> kept = keptCopiesOf(file);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_TRUE(kept[0].ownedByTheFilesOwner);
    EXPECT_EQ(failed.problem(),
        cannotWrite(file, "Input/output error") + " Its earlier contents are kept in \"" + kept[0].copy.string()
            + "\".");
    EXPECT_EQ(load(kept[0].copy), Before);
    EXPECT_EQ(statOf(kept[0].copy).st_mode & 07777, 0640u);
    EXPECT_EQ(statOf(kept[0].copy).st_uid, statOf(file).st_uid);

    // The file changes; a minute on, neither a listing's tidy nor a save puts the copy back.
    ASSERT_TRUE(replaceFileContents(file, "newer work"));
    ageEverythingIn(folder.path());
    removeStaleTemporaries(folder.path());
    ASSERT_TRUE(replaceFileContents(file, "newest work"));
    EXPECT_EQ(load(file), "newest work");
    EXPECT_EQ(keptCopiesOf(file).size(), 1u);

    // A copy owned by someone else than the file's owner is told apart.
    if (root) {
        ASSERT_EQ(::chown(kept[0].copy.c_str(), 0, 0), 0);
        EXPECT_FALSE(keptCopiesOf(file)[0].ownedByTheFilesOwner);
    }
}

// A save in place holds the file locked while it runs and not a moment
// longer: a second one meanwhile is told the file is busy.
TEST(SafeWrite, ASaveInPlaceLocksTheFileWhileItRuns)
{
    TempFolder folder;
    const fs::path file = plainFile(folder.path());
    fs::create_hard_link(file, folder.path() / "titanium.rm");
    {
        const int held = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_EQ(::flock(held, LOCK_EX), 0);
        EXPECT_EQ(replaceFileContents(file, After).problem(), cannotWrite(file, "Device or resource busy"));
        ::close(held);
    }
    EXPECT_TRUE(replaceFileContents(file, After));
    EXPECT_EQ(load(file), After);
}

TEST(SafeWrite, OnlyItsOwnStaleTemporariesAreRemoved)
{
    TempFolder folder;
    for (const char* name : {"primer.tfx", ".primer.tfx.tmp123", ".gone.tfx.tmp99", ".notes.tnt12345678", "a.tnt-old",
             ".x.0123abcd.tntzzzzzzzz", "readme.txt"})
        folder.write(name, "x");
    ageEverythingIn(folder.path());
    removeStaleTemporaries(folder.path());
    // Only the earlier versions' temporary file beside the file it was for.
    EXPECT_EQ(namesIn(folder.path()),
        (std::vector<std::string>{".gone.tfx.tmp99", ".notes.tnt12345678", ".x.0123abcd.tntzzzzzzzz", "a.tnt-old",
            "primer.tfx", "readme.txt"}));
}

}  // namespace
}  // namespace tintora
