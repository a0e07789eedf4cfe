// Several changes in one write, and the safe replacement of a file.
#include "core/text/IniFile.h"
#include "core/text/NumberText.h"
#include "core/text/SafeWrite.h"
#include "core/text/TextEncoding.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

#include <sys/mount.h>

namespace tintora {
namespace {

namespace fs = std::filesystem;
using tintora::testing::TempFolder;

std::string load(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::size_t entriesIn(const fs::path& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// ---------------------------------------------------------------- random changes

class RandomIni {
public:
    explicit RandomIni(unsigned seed)
        : rng_(seed)
    {
    }

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    // "é" is the only character above ASCII a Windows-1252 file gets: it never
    // forms UTF-8 with its neighbours, so such a file stays Windows-1252.
    std::string text(bool anyCharacter)
    {
        static const char* pieces[]
            = {"a", "Z", " ", "\t", "=", ";", "\"", "'", "[", "]", "0.5", "\xC3\xA9", "\xC4\x80"};
        std::string result;
        for (int n = below(5); n > 0; --n)
            result += pieces[below(anyCharacter ? 13 : 12)];
        return result;
    }

    std::string sometimesUpper(std::string name)
    {
        if (below(2) == 0)
            for (char& c : name)
                c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        return name;
    }
    std::string section() { return sometimesUpper("Sec" + std::to_string(below(4))); }
    std::string key() { return sometimesUpper("key" + std::to_string(below(6))); }

    std::string file()
    {
        const char* lineEnd = below(2) == 0 ? "\n" : "\r\n";
        std::string bytes;
        for (int n = below(14); n > 0; --n) {
            switch (below(5)) {
            case 0:
                bytes.append("[").append(section()).append("]");
                break;
            case 1:
                bytes += "; comment";
                break;
            case 2:
                bytes += "junk";
                break;
            default:
                bytes += key() + "=" + text(false);
                break;
            }
            bytes += lineEnd;
        }
        return bytes;
    }

    IniChange change()
    {
        IniChange change{section(), key(), std::nullopt, IniQuoting::Exact, {}};
        if (below(4) != 0)
            change.value = below(15) == 0 ? text(true) + "\n" + text(true) : text(true);
        return change;
    }

private:
    std::mt19937 rng_;
};

void applyToModel(IniFile::Entries& entries, const IniChange& change)
{
    auto& keys = entries[asciiLower(change.section)];
    if (change.value)
        keys[asciiLower(change.key)] = *change.value;
    else
        keys.erase(asciiLower(change.key));
}

// Every key reads as changed or as before, or the edit is refused for the
// first value the file cannot hold.
TEST(IniChanges, RandomEditsReadBackExactlyOrAreRefusedForTheRightValue)
{
    RandomIni random(20240611);
    for (int round = 0; round < 600; ++round) {
        std::string before = random.file();
        if (random.below(2) == 0)
            before = *utf8ToWindows1252(before);
        const bool legacy = !isValidUtf8(before);
        std::vector<IniChange> changes;
        for (int n = random.below(6) + 1; n > 0; --n) {
            changes.push_back(random.change());
            changes.back().label = "change #" + std::to_string(changes.size() - 1);  // named by the refusal
        }

        IniFile::Entries model = IniFile::parse(before).entries();
        std::optional<std::size_t> refusal;
        for (std::size_t i = 0; i < changes.size() && !refusal; ++i) {
            const auto& value = changes[i].value;
            const bool unfit = value
                && (value->find('\n') != std::string::npos || (legacy && value->find("\xC4\x80") != std::string::npos));
            if (unfit)
                refusal = i;
            applyToModel(model, changes[i]);
        }

        const Result<std::string> edited = editIniBytes(before, changes);
        if (refusal) {
            ASSERT_FALSE(edited.ok()) << round;
            EXPECT_NE(edited.problem().find("change #" + std::to_string(*refusal) + " "), std::string::npos)
                << round << ": " << edited.problem();
            continue;
        }
        ASSERT_TRUE(edited.ok()) << round << ": " << edited.problem();
        IniFile::Entries read = IniFile::parse(edited.value()).entries();
        for (auto& [section, keys] : model)
            if (keys.empty() && !read.contains(section))
                read[section];  // a section the changes only removed from
        EXPECT_EQ(read, model) << round << "\n" << before << "\n---\n" << edited.value();
        const bool ascii = std::all_of(edited.value().begin(), edited.value().end(), [](char c) { return c >= 0; });
        EXPECT_TRUE(!legacy || ascii || !isValidUtf8(edited.value())) << round;
    }
}

struct EditCase {
    const char* what;
    std::string before;
    IniChange change;
    std::string after;
};

void PrintTo(const EditCase& c, std::ostream* out)
{
    *out << c.what;
}

class IniEdit : public ::testing::TestWithParam<EditCase> { };

TEST_P(IniEdit, ChangesOnlyWhatItMust)
{
    const EditCase& c = GetParam();
    const Result<std::string> edited = editIniBytes(c.before, {c.change});
    ASSERT_TRUE(edited.ok()) << edited.problem();
    EXPECT_EQ(edited.value(), c.after);
}

INSTANTIATE_TEST_SUITE_P(Cases, IniEdit,
    ::testing::Values(EditCase{"removal takes the duplicates of the section that counts",
                          "[A]\r\nk=1\r\nx=2\r\nK=3\r\n[B]\r\nk=4\r\n[a]\r\nk=5\r\n", {"A", "k", std::nullopt},
                          "[A]\r\nx=2\r\n[B]\r\nk=4\r\n[a]\r\nk=5\r\n"},
        EditCase{"removal of a last line without line end", "[A]\nx=1\nk=2", {"A", "k", std::nullopt}, "[A]\nx=1\n"},
        EditCase{"removal of a missing key", "[A]\nx=1\n", {"B", "k", std::nullopt}, "[A]\nx=1\n"},
        EditCase{"blanks at the ends are kept by quotes", "[A]\nk=1\n", {"A", "k", "  lead"}, "[A]\nk=\"  lead\"\n"},
        EditCase{"surrounding quotes are kept by quotes", "[A]\n", {"A", "k", "'q'"}, "[A]\nk=\"'q'\"\n"},
        EditCase{
            "numbers go in as formatted", "[A]\n", {"A", "k", "   0.250", IniQuoting::AsWritten}, "[A]\nk=   0.250\n"},
        EditCase{"a formatted number replaces the blanks of the old one", "[A]\nk=   0.000\n",
            {"A", "k", "   0.250", IniQuoting::AsWritten}, "[A]\nk=   0.250\n"}));

TEST(IniChanges, AWindows1252FileKeepsItsEncodingOrIsLeftAlone)
{
    // A character the code page lacks: refused, not converted.
    const Result<std::string> lacking
        = editIniBytes("[A]\nk=caf\xE9\n", {{"A", "m", "\xC4\x80", IniQuoting::Exact, "the note"}});
    EXPECT_FALSE(lacking.ok());
    EXPECT_NE(lacking.problem().find("the note"), std::string::npos) << lacking.problem();
    // The only byte that made the file Windows-1252 goes: the rest, "Ã©" as
    // it reads now, would read as "é".
    const Result<std::string> flipping = editIniBytes("[A]\nk=\xE9\nm=\xC3\xA9\n", {{"A", "k", "plain"}});
    EXPECT_FALSE(flipping.ok());
    EXPECT_EQ(editIniBytes("[A]\nk=\xE9\nm=x\n", {{"A", "k", "\xC3\xA8"}}).value(), "[A]\nk=\xE8\nm=x\n");
}

// ---------------------------------------------------------------- failures on disk

class ScopedFault {
public:
    ScopedFault(WriteStep failing, int error)
    {
        setWriteFaultInjector([=](WriteStep step) { return step == failing ? std::optional(error) : std::nullopt; });
    }
    ~ScopedFault() { setWriteFaultInjector(nullptr); }
};

TEST(SafeWrite, AFailureAtAnyStepLeavesTheOldFileAndNoTemporary)
{
    TempFolder folder;
    const std::string before = "[A]\r\nk=1\r\n";
    const fs::path file = folder.write("kept.tfx", before);
    for (const WriteStep step : {WriteStep::CreateTemporary, WriteStep::Write, WriteStep::Flush, WriteStep::Rename}) {
        for (const int error : {ENOSPC, EACCES, EROFS}) {
            const ScopedFault fault(step, error);
            const Result<FileStamp> result = writeIniChanges(file, {{"A", "k", "2"}});
            EXPECT_EQ(result.problem(), cannotWrite(file, std::generic_category().message(error)));
            EXPECT_EQ(load(file), before);
            EXPECT_FALSE(writeIniChanges(folder.path() / "new.tfx", {{"A", "k", "2"}}));
            EXPECT_EQ(entriesIn(folder.path()), 1u);
        }
    }
    const ScopedFault fault(WriteStep::Remove, EACCES);
    EXPECT_EQ(removeFile(file).problem(), "Cannot delete \"" + file.string() + "\": Permission denied.");
    EXPECT_TRUE(fs::exists(file));
}

// A real full disk and a real read-only folder: a small file system of its
// own, where the machine allows mounting one.
class SmallFileSystem : public ::testing::Test {
protected:
    void SetUp() override
    {
        mountPoint_ = folder_.path() / "mnt";
        fs::create_directories(mountPoint_);
        if (::mount("tmpfs", mountPoint_.c_str(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here: " << std::generic_category().message(errno);
        mounted_ = true;
    }
    void TearDown() override
    {
        if (mounted_)
            ::umount2(mountPoint_.c_str(), MNT_DETACH);
    }

    void fillUp() const
    {
        std::ofstream filler(mountPoint_ / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        for (int i = 0; i < 64 && filler.write(block.data(), block.size()); ++i)
            filler.flush();
    }

    TempFolder folder_;
    fs::path mountPoint_;
    bool mounted_ = false;
};

TEST_F(SmallFileSystem, AFullDiskAndAReadOnlyFolderLeaveTheOldFile)
{
    const std::string before = "[Formula]\nName=A\n";
    const fs::path file = mountPoint_ / "full.tfx";
    std::ofstream(file, std::ios::binary) << before;
    fillUp();
    const Result<FileStamp> full = writeIniChanges(file, {{"Formula", "Name", std::string(1000, 'n')}});
    EXPECT_EQ(full.problem(), cannotWrite(file, std::generic_category().message(ENOSPC)));
    EXPECT_EQ(load(file), before);
    EXPECT_EQ(entriesIn(mountPoint_), 2u);

    fs::remove(mountPoint_ / "filler");
    ASSERT_EQ(::mount("tmpfs", mountPoint_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
    const Result<FileStamp> readOnly = writeIniChanges(file, {{"Formula", "Name", "B"}});
    EXPECT_EQ(readOnly.problem(), cannotWrite(file, std::generic_category().message(EROFS)));
    EXPECT_EQ(load(file), before);
    EXPECT_FALSE(removeFile(file));
    EXPECT_TRUE(fs::exists(file));
}

}  // namespace
}  // namespace tintora
