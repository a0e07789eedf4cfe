#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>

#include "core/text/IniFile.h"
#include "core/text/NumberText.h"
#include "core/text/TextEncoding.h"

namespace tintora {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// ---------------------------------------------------------------- reading text

struct LookupCase {
    const char* what;
    std::string file;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

void PrintTo(const LookupCase& c, std::ostream* out)
{
    *out << c.what;
}

class IniLookup : public ::testing::TestWithParam<LookupCase> { };

TEST_P(IniLookup, FindsWhatAPrivateProfileReaderFinds)
{
    const auto& c = GetParam();
    EXPECT_EQ(IniFile::parse(c.file).value(c.section, c.key), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Names, IniLookup,
    ::testing::Values(LookupCase{"plain", "[Material]\nName=resin\n", "Material", "Name", "resin"},
        LookupCase{"section case", "[MATERIAL]\nName=resin\n", "material", "Name", "resin"},
        LookupCase{"key case", "[Material]\nnAmE=resin\n", "Material", "NAME", "resin"},
        LookupCase{"blanks around names", "[ \tMaterial\t ]\n \tName \t=resin\n", "Material", "Name", "resin"},
        LookupCase{"blanks around the asked names", "[Material]\nName=resin\n", " Material\t", "\tName ", "resin"},
        LookupCase{"inner blanks count", "[Mat erial]\nName=resin\n", "Material", "Name", std::nullopt},
        LookupCase{"missing key", "[Material]\nName=resin\n", "Material", "Spec", std::nullopt},
        LookupCase{"missing section", "[Material]\nName=resin\n", "Formula", "Name", std::nullopt},
        LookupCase{"key of another section", "[A]\nx=1\n[B]\ny=2\n", "B", "x", std::nullopt},
        LookupCase{"before any section", "Name=loose\n[Material]\n", "Material", "Name", std::nullopt},
        LookupCase{"before any section is not the empty section", "Name=loose\n", "", "Name", std::nullopt},
        LookupCase{"empty section name", "[]\nName=x\n", "", "Name", "x"},
        LookupCase{"header without closing bracket", "[Material\nName=resin\n", "Material", "Name", "resin"},
        LookupCase{"text after the header", "[Material] old\nName=resin\n", "Material", "Name", "resin"},
        LookupCase{"first closing bracket ends the name", "[Mat]erial]\nName=resin\n", "Mat", "Name", "resin"},
        LookupCase{"blank key is ignored", "[A]\n = 5\n", "A", "", std::nullopt},
        LookupCase{"line without equals is ignored", "[A]\nName\nSpec=1\n", "A", "Name", std::nullopt},
        LookupCase{"line without equals does not stop the section", "[A]\nName\nSpec=1\n", "A", "Spec", "1"},
        LookupCase{"hash is no comment", "[A]\n#x=1\n", "A", "#x", "1"}));

INSTANTIATE_TEST_SUITE_P(Values, IniLookup,
    ::testing::Values(LookupCase{"blanks removed", "[A]\nk= \t 1.500 \t \n", "A", "k", "1.500"},
        LookupCase{"inner blanks kept", "[A]\nk=Titanium  dioxide\n", "A", "k", "Titanium  dioxide"},
        LookupCase{"after the first equals", "[A]\nk=a=b=c\n", "A", "k", "a=b=c"},
        LookupCase{"blanks before equals", "[A]\nk \t= v\n", "A", "k", "v"},
        LookupCase{"empty value", "[A]\nk=\n", "A", "k", ""}, LookupCase{"blank value", "[A]\nk=  \t\n", "A", "k", ""},
        LookupCase{"no inline comment", "[A]\nk=1 ;x\n", "A", "k", "1 ;x"},
        LookupCase{"double quotes removed", "[A]\nk=\"Add slowly\"\n", "A", "k", "Add slowly"},
        LookupCase{"single quotes removed", "[A]\nk='Add slowly'\n", "A", "k", "Add slowly"},
        LookupCase{"blanks inside quotes kept", "[A]\nk= \"  x  \" \n", "A", "k", "  x  "},
        LookupCase{"one pair only", "[A]\nk=\"\"x\"\"\n", "A", "k", "\"x\""},
        LookupCase{"empty quotes", "[A]\nk=\"\"\n", "A", "k", ""},
        LookupCase{"lone quote kept", "[A]\nk=\"\n", "A", "k", "\""},
        LookupCase{"unmatched quotes kept", "[A]\nk=\"x'\n", "A", "k", "\"x'"},
        LookupCase{"opening quote only", "[A]\nk=\"x\n", "A", "k", "\"x"},
        LookupCase{"inner quotes kept", "[A]\nk=5\" wide\n", "A", "k", "5\" wide"}));

INSTANTIATE_TEST_SUITE_P(Lines, IniLookup,
    ::testing::Values(LookupCase{"comment", "[A]\n;k=1\nk=2\n", "A", "k", "2"},
        LookupCase{"comment is no key", "[A]\n;k=1\n", "A", ";k", std::nullopt},
        LookupCase{"indented comment", "[A]\n \t;k=1\nk=2\n", "A", "k", "2"},
        LookupCase{"commented header", ";[A]\n[B]\nk=1\n", "A", "k", std::nullopt},
        LookupCase{"crlf", "[A]\r\nk=1\r\nm=2\r\n", "A", "m", "2"},
        LookupCase{"crlf leaves no cr in the value", "[A]\r\nk=1\r\n", "A", "k", "1"},
        LookupCase{"bare cr", "[A]\rk=1\rm=2\r", "A", "m", "2"},
        LookupCase{"mixed line ends", "[A]\r\nk=1\rm=2\nn=3", "A", "n", "3"},
        LookupCase{"cr cr lf", "[A]\r\r\nk=1\r\r\n", "A", "k", "1"},
        LookupCase{"no final line end", "[A]\nk=1", "A", "k", "1"},
        LookupCase{"blank lines", "\n\n[A]\n\n  \n\t\nk=1\n\n", "A", "k", "1"},
        LookupCase{"byte-order mark", "\xEF\xBB\xBF[A]\nk=1\n", "A", "k", "1"},
        LookupCase{"byte-order mark on a Windows-1252 file", "\xEF\xBB\xBF[A]\nk=caf\xE9\n", "A", "k", "caf\xC3\xA9"},
        LookupCase{"Windows-1252 value", "[Material]\nName=Caf\xE9 noir \x80\n", "Material", "Name",
            "Caf\xC3\xA9 noir \xE2\x82\xAC"},
        LookupCase{"Windows-1252 section name",
            "[Farbst\xF6"
            "ffe]\nk=1\n",
            "Farbst\xC3\xB6"
            "ffe",
            "k", "1"},
        LookupCase{"UTF-8 value", "[Material]\nName=Caf\xC3\xA9\n", "Material", "Name", "Caf\xC3\xA9"}));

INSTANTIATE_TEST_SUITE_P(Duplicates, IniLookup,
    ::testing::Values(LookupCase{"first key wins", "[A]\nk=1\nk=2\n", "A", "k", "1"},
        LookupCase{"first key wins across case", "[A]\nK=1\nk=2\n", "A", "k", "1"},
        LookupCase{"empty first key wins", "[A]\nk=\nk=2\n", "A", "k", ""},
        LookupCase{"first section wins", "[A]\nk=1\n[a]\nk=2\n", "A", "k", "1"},
        LookupCase{"later section ignored entirely", "[A]\nk=1\n[B]\n[A]\nm=2\n", "A", "m", std::nullopt},
        LookupCase{"other section after a repeat", "[A]\n[A]\nk=1\n[B]\nk=2\n", "B", "k", "2"}));

// Text is UTF-8, Windows-1252, or UTF-16 after its byte-order mark; a NUL
// (UTF-16 without its mark, a picture) or UTF-16 that does not decode is no
// text: nothing is read from it and no edit is made to it.
TEST(IniFileTest, BytesThatAreNoTextGiveNoReadingAndNoEdit)
{
    const std::string material = "[Material]\r\nName=Blanc fix\r\n";
    std::string unmarked;
    for (char c : material)
        unmarked += std::string{c, '\0'};
    const std::string cases[] = {
        "[A\0B]\nk\0ey=1\n"s, "[A]\nk=a\0b\n"s, unmarked,
        "\xFF\xFE[\0A\0]\0\n\0k\0=\0\x00\xD8\n\0"s,  // an unpaired surrogate
        "\xFE\xFF\0[\0A\0]\n"s,  // an odd number of bytes
        "\xFF\xFE[\0A\0]\0\n\0k\0=\0\0\0"s,  // U+0000
    };
    for (const std::string& bytes : cases) {
        const IniFileRead read = IniFile::examine(bytes);
        EXPECT_EQ(read.status, IniReadStatus::NotText) << bytes;
        EXPECT_FALSE(read.contents.hasAnySection()) << bytes;
        const Result<std::string> edited = editIniBytes(bytes, {{"A", "k", "2"}});
        EXPECT_EQ(edited.problem(), iniReadProblem(IniReadStatus::NotText)) << bytes;
        EXPECT_TRUE(edited.problem().starts_with("the file is not text")) << edited.problem();
    }
}

// UTF-16 with its mark, in either order, reads as text and is written back in
// UTF-16 with the same mark, every other character kept.
TEST(IniFileTest, Utf16WithItsMarkIsReadAndWrittenBackAsUtf16)
{
    const std::string text = "; \xC3\xA9tain \xF0\x9F\x8E\xA8\r\n[Material]\r\nName=Blanc fix\r\nSpec=4.5\r\n";
    for (const Utf16Order order : {Utf16Order::LittleEndian, Utf16Order::BigEndian}) {
        const std::string bytes = std::string(utf16Mark(order)) + utf8ToUtf16(text, order);
        const IniFile ini = IniFile::parse(bytes);
        EXPECT_EQ(ini.value("Material", "Name"), "Blanc fix");
        const Result<std::string> edited = editIniBytes(bytes, {{"Material", "Name", "\xC3\x89tain"}});
        ASSERT_TRUE(edited.ok()) << edited.problem();
        std::string expected = text;
        expected.replace(expected.find("Blanc fix"), 9, "\xC3\x89tain");
        EXPECT_EQ(edited.value(), std::string(utf16Mark(order)) + utf8ToUtf16(expected, order));
        EXPECT_EQ(utf16ToUtf8(std::string_view(edited.value()).substr(2), order), expected);
    }
}

TEST(IniFileTest, ValuesAreCutAt1023Characters)
{
    const std::string ascii(2000, 'x');
    EXPECT_EQ(IniFile::parse("[A]\nk=" + ascii + "\n").value("A", "k"), std::string(1023, 'x'));
    const std::string exact(1023, 'y');
    EXPECT_EQ(IniFile::parse("[A]\nk=" + exact + "\n").value("A", "k"), exact);
    // The quotes go before the cut: 1023 characters between them are kept whole.
    EXPECT_EQ(IniFile::parse("[A]\nk=\"" + exact + "\"\n").value("A", "k"), exact);
}

TEST(IniFileTest, CutNeverSplitsACharacter)
{
    std::string accents;
    for (int i = 0; i < 1100; ++i)
        accents += "\xC3\xA9";
    std::string expected;
    for (int i = 0; i < 1023; ++i)
        expected += "\xC3\xA9";
    EXPECT_EQ(IniFile::parse("[A]\nk=" + accents + "\n").value("A", "k"), expected);
    // Windows-1252 bytes grow to two UTF-8 bytes each and are still cut by characters.
    const std::string legacy(1100, '\xE9');
    EXPECT_EQ(IniFile::parse("[A]\nk=" + legacy + "\n").value("A", "k"), expected);
}

TEST(IniFileTest, ReadsStringWithDefault)
{
    const IniFile ini = IniFile::parse("[Material]\nName=resin\nDesc=\n");
    EXPECT_EQ(ini.readString("Material", "Name", "No Name"), "resin");
    EXPECT_EQ(ini.readString("Material", "Desc", "No Name"), "");
    EXPECT_EQ(ini.readString("Material", "Other", "No Name"), "No Name");
    EXPECT_EQ(ini.readString("Nothing", "Name", ""), "");
}

TEST(IniFileTest, KnowsItsSections)
{
    const IniFile ini = IniFile::parse("k=0\n[Formula]\n[ Properties ]\n");
    EXPECT_TRUE(ini.hasSection("formula"));
    EXPECT_TRUE(ini.hasSection("PROPERTIES"));
    EXPECT_FALSE(ini.hasSection("Memo"));
    EXPECT_FALSE(ini.hasSection(""));
}

TEST(IniFileTest, EmptyTextHasNothing)
{
    const IniFile ini = IniFile::parse("");
    EXPECT_FALSE(ini.hasSection(""));
    EXPECT_EQ(ini.readInteger("Formula", "rType1", 1), 1);
}

// Every byte sequence parses to something; none may crash the reader.
TEST(IniFileTest, RandomBytesNeverBreakTheReader)
{
    std::mt19937 generator(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> pick(0, 15);
    const std::string structure = "[]=;\r\n \t\"'";
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        for (int i = 0; i < 400; ++i) {
            const int p = pick(generator);
            bytes += p < 10 ? structure[static_cast<std::size_t>(p)] : static_cast<char>(byte(generator));
        }
        const IniFile ini = IniFile::parse(bytes);
        const auto value = ini.value("", "");
        EXPECT_TRUE(!value || value->size() <= 1023u * 4u);
    }
}

// ---------------------------------------------------------------- integers

struct IntegerCase {
    const char* text;
    std::optional<int> expected;
};

class IniInteger : public ::testing::TestWithParam<IntegerCase> { };

TEST_P(IniInteger, ReadsDecimalOrHexadecimal)
{
    EXPECT_EQ(parseIniInteger(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Decimal, IniInteger,
    ::testing::Values(IntegerCase{"0", 0}, IntegerCase{"1", 1}, IntegerCase{"010", 10}, IntegerCase{"+7", 7},
        IntegerCase{"-12", -12}, IntegerCase{"2147483647", 2147483647}, IntegerCase{"-2147483648", -2147483647 - 1},
        IntegerCase{"00000000000000000001", 1}));

INSTANTIATE_TEST_SUITE_P(Hexadecimal, IniInteger,
    ::testing::Values(IntegerCase{"$1F", 31}, IntegerCase{"$ff", 255}, IntegerCase{"-$10", -16}, IntegerCase{"0x1", 1},
        IntegerCase{"0x0", 0}, IntegerCase{"0X1a", 26}, IntegerCase{"-0x10", -16}, IntegerCase{"+0x10", 16},
        IntegerCase{"$7FFFFFFF", 2147483647}, IntegerCase{"-$80000000", -2147483647 - 1}));

INSTANTIATE_TEST_SUITE_P(NotAnInteger, IniInteger,
    ::testing::Values(IntegerCase{"", std::nullopt}, IntegerCase{"yes", std::nullopt}, IntegerCase{"1.5", std::nullopt},
        IntegerCase{"1e3", std::nullopt}, IntegerCase{"0x", std::nullopt}, IntegerCase{"-0x", std::nullopt},
        IntegerCase{"$", std::nullopt}, IntegerCase{"-", std::nullopt}, IntegerCase{"+", std::nullopt},
        IntegerCase{" 1", std::nullopt}, IntegerCase{"1 ", std::nullopt}, IntegerCase{"--1", std::nullopt},
        IntegerCase{"$-1", std::nullopt}, IntegerCase{"0xg", std::nullopt}, IntegerCase{"$1G", std::nullopt},
        IntegerCase{"12a", std::nullopt}, IntegerCase{"x1", std::nullopt}, IntegerCase{"0x0x1", std::nullopt},
        IntegerCase{"2147483648", std::nullopt}, IntegerCase{"-2147483649", std::nullopt},
        IntegerCase{"$80000000", std::nullopt}, IntegerCase{"$FFFFFFFF", std::nullopt},
        IntegerCase{"18446744073709551617", std::nullopt},  // 2^64 + 1
        IntegerCase{"$10000000000000001", std::nullopt}, IntegerCase{"99999999999999999999999", std::nullopt}));

TEST(IniFileTest, ReadsIntegerWithDefault)
{
    const IniFile ini = IniFile::parse(
        "[Formula]\nrType1=0\nrType2=0x0\nrType3=yes\nrType4=\nrType5= 0 \nrType6=\"0\"\nrType7=$1F\n");
    EXPECT_EQ(ini.readInteger("Formula", "rType1", 1), 0);
    EXPECT_EQ(ini.readInteger("Formula", "rType2", 1), 0);
    EXPECT_EQ(ini.readInteger("Formula", "rType3", 1), 1);
    EXPECT_EQ(ini.readInteger("Formula", "rType4", 1), 1);
    EXPECT_EQ(ini.readInteger("Formula", "rType5", 1), 0);  // blanks go with the value
    EXPECT_EQ(ini.readInteger("Formula", "rType6", 1), 0);  // and so do quotes
    EXPECT_EQ(ini.readInteger("Formula", "rType7", 1), 31);
    EXPECT_EQ(ini.readInteger("Formula", "rType8", 1), 1);
    EXPECT_EQ(ini.readInteger("Properties", "Protect", 0), 0);
}

// ---------------------------------------------------------------- files

class IniFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device entropy;
        folder_ = fs::temp_directory_path() / ("tintora-ini-" + std::to_string(entropy()));
        fs::create_directories(folder_);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder_, ignored);
    }

    fs::path file(const std::string& name) const { return folder_ / name; }

    static void save(const fs::path& path, const std::string& bytes)
    {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }

    static std::string load(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::size_t entriesInFolder() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    fs::path folder_;
};

TEST_F(IniFiles, ReadsAFileWhole)
{
    save(file("tio2.rm"), "[Material]\r\nName=TITANIUM dioxide\r\nSpec=   4.100\r\n");
    const IniFile ini = IniFile::read(file("tio2.rm"));
    EXPECT_EQ(ini.readString("Material", "Name", "No Name"), "TITANIUM dioxide");
    EXPECT_EQ(numberFromText(ini.readString("Material", "Spec", "")), 4.1);
}

TEST_F(IniFiles, MissingFileOrFolderReadsAsEmpty)
{
    EXPECT_FALSE(IniFile::read(file("nosuch.rm")).hasSection("Material"));
    EXPECT_FALSE(IniFile::read(folder_).hasSection("Material"));
    EXPECT_FALSE(IniFile::read(fs::path()).hasSection(""));
}

TEST_F(IniFiles, BinaryFileReadsAsGarbageWithoutHarm)
{
    std::string bytes;
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>((i * 37) % 256);
    save(file("binary.rm"), "[A]\nk=1\n\0\0=\0\n"s + bytes);
    const IniFileRead read = IniFile::load(file("binary.rm"));
    EXPECT_EQ(read.status, IniReadStatus::NotText);
    EXPECT_FALSE(read.contents.hasSection("A"));
}

TEST_F(IniFiles, NulBytesBeforeAHeaderMakeItNoHeader)
{
    save(file("nul.rm"), "\0[A]\nk=1\n"s);
    EXPECT_FALSE(IniFile::read(file("nul.rm")).hasSection("A"));
}

TEST_F(IniFiles, AFileBeyondItsLimitIsNotReadAtAll)
{
    const fs::path path = file("limit.tfx");
    const std::string text = "[A]\nk=1\n";
    save(path, text);
    EXPECT_EQ(IniFile::load(path, text.size()).contents.value("A", "k"), "1");
    const IniFileRead over = IniFile::load(path, text.size() - 1);
    EXPECT_EQ(over.status, IniReadStatus::TooLarge);
    EXPECT_FALSE(over.contents.hasSection("A"));
    EXPECT_EQ(IniFile::load(file("nosuch.tfx")).status, IniReadStatus::Missing);
    EXPECT_EQ(IniFile::load(folder_).status, IniReadStatus::Unreadable);
}

TEST_F(IniFiles, AFileWithMoreKeysThanAnyOfOursIsNotKept)
{
    std::string text = "[A]\n";
    for (std::size_t i = 1; i < MaxIniEntries; ++i)
        text.append("k").append(std::to_string(i)).append("=1\n");
    const fs::path path = file("keys.tfx");
    save(path, text);
    EXPECT_EQ(IniFile::load(path).status, IniReadStatus::Read);
    save(path, text + "one=more\n");
    EXPECT_EQ(IniFile::load(path).status, IniReadStatus::TooManyEntries);
    EXPECT_FALSE(IniFile::parse(text + "[B]\n").hasSection("A"));
    // The bound is on what is kept: other sections cost their lines only.
    std::string others = "[Formula]\nName=x\n";
    for (int i = 0; i < 100000; ++i)
        others += "[S" + std::to_string(i) + "]\nk=1\n";
    EXPECT_EQ(IniFile::parse(others, {"formula"}).value("Formula", "Name"), "x");
    EXPECT_TRUE(IniFile::parse(others, {"formula"}).hasAnySection());
    EXPECT_EQ(IniFile::examine(others).status, IniReadStatus::TooManyEntries);
    // So is an edit's: it succeeds, and when the kept part is too large it says so.
    const Result<std::string> edited = editIniBytes(others, {{"Formula", "Name", "y"}});
    ASSERT_TRUE(edited.ok()) << edited.problem();
    EXPECT_EQ(edited.value(), "[Formula]\nName=y\n" + others.substr(others.find("[S0]")));
    EXPECT_EQ(editIniBytes(text + "one=more\n", {{"A", "k1", "2"}}).problem(),
        "the file holds more than 65536 sections and keys");
}

// ---------------------------------------------------------------- writing

TEST_F(IniFiles, WritingCreatesAMissingFile)
{
    ASSERT_TRUE(writeIniString(file("new.rm"), "Material", "Name", "resin"));
    EXPECT_EQ(load(file("new.rm")), "[Material]\nName=resin\n");
}

struct WriteCase {
    const char* what;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

void PrintTo(const WriteCase& c, std::ostream* out)
{
    *out << c.what;
}

class IniWrite : public IniFiles, public ::testing::WithParamInterface<WriteCase> { };

TEST_P(IniWrite, ChangesOnlyWhatItMust)
{
    const auto& c = GetParam();
    const fs::path path = file("case.rm");
    save(path, c.before);
    ASSERT_TRUE(writeIniString(path, c.section, c.key, c.value)) << c.what;
    EXPECT_EQ(load(path), c.after) << c.what;
    EXPECT_EQ(entriesInFolder(), 1u) << "no temporary file may stay behind";
}

INSTANTIATE_TEST_SUITE_P(Replace, IniWrite,
    ::testing::Values(WriteCase{"in place, every other byte kept, blanks around the value too",
                          "; materials\r\n[MATERIAL]\r\n\r\n  NAME = old name \r\nSpec=1\r\n; end", "Material", "Name",
                          "new", "; materials\r\n[MATERIAL]\r\n\r\n  NAME = new \r\nSpec=1\r\n; end"},
        WriteCase{"empty value", "[A]\nk=\nm=1\n", "A", "k", "5", "[A]\nk=5\nm=1\n"},
        WriteCase{"blank value", "[A]\nk=   \nm=1\n", "A", "k", "5", "[A]\nk=   5\nm=1\n"},
        WriteCase{"quoted value", "[A]\nk=\"old\"\n", "A", "k", "new", "[A]\nk=new\n"},
        WriteCase{"last line without line end", "[A]\nk=old", "A", "k", "new", "[A]\nk=new"},
        WriteCase{"bare cr lines", "[A]\rk=old\rm=1\r", "A", "k", "new", "[A]\rk=new\rm=1\r"},
        WriteCase{"text after a semicolon belongs to the value", "[A]\nk=old ;note\n", "A", "k", "new", "[A]\nk=new\n"},
        WriteCase{"the first of duplicate keys", "[A]\nk=1\nK=2\n", "A", "k", "9", "[A]\nk=9\nK=2\n"},
        WriteCase{"in the first of duplicate sections", "[A]\nx=1\n[B]\n[a]\nk=2\n", "A", "k", "9",
            "[A]\nx=1\nk=9\n[B]\n[a]\nk=2\n"},
        WriteCase{"byte-order mark kept", "\xEF\xBB\xBF[A]\r\nk=1\r\n", "A", "k", "2", "\xEF\xBB\xBF[A]\r\nk=2\r\n"}));

INSTANTIATE_TEST_SUITE_P(NewKey, IniWrite,
    ::testing::Values(WriteCase{"after the last entry, not after comments", "[A]\na=1\n\n;c=1\n[B]\nb=2\n", "A", "x",
                          "9", "[A]\na=1\nx=9\n\n;c=1\n[B]\nb=2\n"},
        WriteCase{"after the header of an empty section", "[A]\n\n[B]\n", "A", "x", "9", "[A]\nx=9\n\n[B]\n"},
        WriteCase{"file's line ends", "[A]\r\na=1\r\n", "A", "x", "9", "[A]\r\na=1\r\nx=9\r\n"},
        WriteCase{"last line without line end", "[A]\na=1", "A", "x", "9", "[A]\na=1\nx=9"},
        WriteCase{"header as last line", "[A]", "A", "x", "9", "[A]\nx=9"},
        WriteCase{"section named in another case", "[material]\nName=x\n", "MATERIAL", "Spec", "1",
            "[material]\nName=x\nSpec=1\n"},
        WriteCase{"entries of a later repeat do not count", "[A]\na=1\n[B]\n[A]\nb=2\n", "A", "x", "9",
            "[A]\na=1\nx=9\n[B]\n[A]\nb=2\n"},
        WriteCase{"a line without equals is no entry", "[A]\na=1\njunk\n", "A", "x", "9", "[A]\na=1\nx=9\njunk\n"}));

INSTANTIATE_TEST_SUITE_P(NewSection, IniWrite,
    ::testing::Values(WriteCase{"at the end", "[A]\na=1\n", "B", "x", "9", "[A]\na=1\n[B]\nx=9\n"},
        WriteCase{"line end added first", "[A]\na=1", "B", "x", "9", "[A]\na=1\n[B]\nx=9\n"},
        WriteCase{"file's line ends", "[A]\r\na=1", "B", "x", "9", "[A]\r\na=1\r\n[B]\r\nx=9\r\n"},
        WriteCase{"bare cr", "[A]\ra=1\r", "B", "x", "9", "[A]\ra=1\r[B]\rx=9\r"},
        WriteCase{"empty file", "", "B", "x", "9", "[B]\nx=9\n"},
        WriteCase{"a commented header is no section", ";[B]\n", "B", "x", "9", ";[B]\n[B]\nx=9\n"},
        WriteCase{"keys before any section are not in it", "x=1\n", "B", "x", "9", "x=1\n[B]\nx=9\n"}));

INSTANTIATE_TEST_SUITE_P(Encoding, IniWrite,
    ::testing::Values(WriteCase{"UTF-8 file gets UTF-8", "[A]\nk=caf\xC3\xA9\n", "A", "m", "cr\xC3\xA8me",
                          "[A]\nk=caf\xC3\xA9\nm=cr\xC3\xA8me\n"},
        WriteCase{"Windows-1252 file stays so", "[A]\nk=caf\xE9\n", "A", "m", "cr\xC3\xA8me \xE2\x82\xAC",
            "[A]\nk=caf\xE9\nm=cr\xE8me \x80\n"},
        WriteCase{"Windows-1252 names are found",
            "[Farbst\xF6"
            "ffe]\nk=1\n",
            "farbst\xC3\xB6"
            "ffe",
            "k", "2",
            "[Farbst\xF6"
            "ffe]\nk=2\n"}));

TEST_F(IniFiles, WrittenValuesReadBack)
{
    const fs::path path = file("round.rm");
    const std::string values[]
        = {"Titanium dioxide", "   4.100", "", "a=b", "1 ;x", "caf\xC3\xA9", "x\"y", std::string(1023, 'z')};
    int n = 0;
    for (const auto& value : values) {
        const std::string key = "Key" + std::to_string(n++);
        ASSERT_TRUE(writeIniString(path, "Material", key, value)) << key;
    }
    ASSERT_TRUE(writeIniString(path, "Other", "Key0", "elsewhere"));
    ASSERT_TRUE(writeIniString(path, "Material", "Key0", "replaced"));
    const IniFile ini = IniFile::read(path);
    EXPECT_EQ(ini.value("Material", "Key0"), "replaced");
    EXPECT_EQ(ini.value("Other", "Key0"), "elsewhere");
    for (int i = 1; i < n; ++i) {
        std::string expected(values[i]);
        if (i == 1)
            expected = "4.100";  // blanks around a value are never read
        EXPECT_EQ(ini.value("Material", "Key" + std::to_string(i)), expected) << i;
    }
}

TEST_F(IniFiles, MaterialNumbersReadBackToThreeDecimals)
{
    const fs::path path = file("resin.rm");
    const double numbers[] = {1.05, 0.25, 12.3456, 0.0005, 99999.999};
    const char* keys[] = {"Spec", "Cost", "Pig_Wt", "Vol_Wt", "Voc_Wt"};
    ASSERT_TRUE(writeIniString(path, "Material", "Name", "resin a"));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(writeIniString(path, "Material", keys[i], formatCell(numbers[i])));
    EXPECT_EQ(load(path),
        "[Material]\nName=resin a\nSpec=   1.050\nCost=   0.250\nPig_Wt=  12.346\nVol_Wt=   0.001\n"
        "Voc_Wt=99999.999\n");
    const IniFile ini = IniFile::read(path);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(numberFromText(ini.readString("Material", keys[i], "")), roundToThreeDecimals(numbers[i]));
    }
}

struct RefusedCase {
    const char* what;
    std::string section;
    std::string key;
    std::string value;
};

void PrintTo(const RefusedCase& c, std::ostream* out)
{
    *out << c.what;
}

class IniWriteRefused : public IniFiles, public ::testing::WithParamInterface<RefusedCase> { };

// Such texts would add lines or sections of their own, or would not read back as the same key.
TEST_P(IniWriteRefused, LeavesTheFileAlone)
{
    const auto& c = GetParam();
    const fs::path path = file("kept.rm");
    const std::string before = "[Material]\nName=x\n";
    save(path, before);
    EXPECT_FALSE(writeIniString(path, c.section, c.key, c.value)) << c.what;
    EXPECT_EQ(load(path), before) << c.what;
    EXPECT_FALSE(writeIniString(file("absent.rm"), c.section, c.key, c.value)) << c.what;
    EXPECT_FALSE(fs::exists(file("absent.rm"))) << c.what;
}

INSTANTIATE_TEST_SUITE_P(UnsafeTexts, IniWriteRefused,
    ::testing::Values(RefusedCase{"line feed in value", "Material", "Name", "x\n[Evil]"},
        RefusedCase{"carriage return in value", "Material", "Name", "x\rSpec=9"},
        RefusedCase{"equals in key", "Material", "Na=me", "x"},
        RefusedCase{"line end in key", "Material", "Na\nme", "x"}, RefusedCase{"empty key", "Material", "", "x"},
        RefusedCase{"blank key", "Material", " \t", "x"}, RefusedCase{"comment key", "Material", ";Name", "x"},
        RefusedCase{"header key", "Material", " [Name", "x"},
        RefusedCase{"bracket in section", "Mat]erial", "Name", "x"},
        RefusedCase{"line end in section", "Mat\nerial", "Name", "x"},
        RefusedCase{"value not UTF-8", "Material", "Name", "caf\xE9"},
        RefusedCase{"key not UTF-8", "Material", "N\xE9", "x"}));

TEST_F(IniFiles, WritingFailsWhereNoFileCanBe)
{
    EXPECT_FALSE(writeIniString(folder_, "A", "k", "1"));
    EXPECT_FALSE(writeIniString(file("no folder") / "x.rm", "A", "k", "1"));
    EXPECT_TRUE(fs::is_directory(folder_));
    EXPECT_EQ(entriesInFolder(), 0u);
}

TEST_F(IniFiles, WritingRefusesAFileTooLargeToReadWhole)
{
    const fs::path path = file("huge.tfx");
    save(path, "[A]\nk=1\n");
    const auto size = std::uintmax_t{MaxIniFileBytes} + 1;
    fs::resize_file(path, size);
    EXPECT_FALSE(writeIniString(path, "A", "k", "2"));
    EXPECT_EQ(fs::file_size(path), size);
    EXPECT_EQ(entriesInFolder(), 1u);
}

TEST_F(IniFiles, WritingRefusesWhatWouldChangeHowAnotherKeyReads)
{
    // Windows-1252 only through the value replaced: the rest would read as UTF-8 afterwards.
    const fs::path path = file("flip.rm");
    const std::string before = "[A]\nk=caf\xE9\nm=\xC3\xA9t\xC3\xA9\n";
    save(path, before);
    EXPECT_FALSE(writeIniString(path, "A", "k", "cafe"));
    EXPECT_EQ(load(path), before);
    EXPECT_TRUE(writeIniString(path, "A", "k", "caf\xC3\xA8"));
    EXPECT_EQ(IniFile::read(path).value("A", "m"), "\xC3\x83\xC2\xA9t\xC3\x83\xC2\xA9");
}

TEST_F(IniFiles, WritingKeepsPermissions)
{
    const fs::path path = file("perm.rm");
    save(path, "[A]\nk=1\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(writeIniString(path, "A", "k", "2"));
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(IniFiles, WritingThroughALinkUpdatesTheLinkedFile)
{
    const fs::path real = file("real.rm");
    const fs::path link = file("link.rm");
    save(real, "[A]\nk=1\n");
    fs::create_symlink(real, link);
    ASSERT_TRUE(writeIniString(link, "A", "k", "2"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(load(real), "[A]\nk=2\n");
}

TEST_F(IniFiles, WritingFailsInAReadOnlyFolder)
{
    const fs::path path = file("locked.rm");
    save(path, "[A]\nk=1\n");
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    const bool written = writeIniString(path, "A", "k", "2").ok();
    fs::permissions(folder_, fs::perms::owner_all);
    if (written)
        GTEST_SKIP() << "the folder cannot be locked for this user (root)";
    EXPECT_EQ(load(path), "[A]\nk=1\n");
    EXPECT_EQ(entriesInFolder(), 1u);
}

}  // namespace
}  // namespace tintora
