#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/text/TextEncoding.h"

namespace tintora {
namespace {

using namespace std::string_literals;

// ---------------------------------------------------------------- validity

class ValidUtf8 : public ::testing::TestWithParam<std::string> { };

TEST_P(ValidUtf8, IsAccepted)
{
    EXPECT_TRUE(isValidUtf8(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Sequences, ValidUtf8,
    ::testing::Values(""s, "plain ASCII"s, "\0"s, "caf\xC3\xA9"s,
        "\xC2\x80"s,  // U+0080, smallest two-byte
        "\xDF\xBF"s,  // U+07FF
        "\xE0\xA0\x80"s,  // U+0800, smallest three-byte
        "\xED\x9F\xBF"s,  // U+D7FF, just below the surrogates
        "\xEE\x80\x80"s,  // U+E000, just above them
        "\xEF\xBB\xBF"s,  // byte-order mark
        "\xEF\xBF\xBF"s,  // U+FFFF
        "\xF0\x90\x80\x80"s,  // U+10000, smallest four-byte
        "\xF4\x8F\xBF\xBF"s,  // U+10FFFF, the last code point
        "\xE2\x82\xAC 10"s));

class InvalidUtf8 : public ::testing::TestWithParam<std::string> { };

TEST_P(InvalidUtf8, IsRejected)
{
    EXPECT_FALSE(isValidUtf8(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Overlong, InvalidUtf8,
    ::testing::Values(
        "\xC0\x80"s, "\xC1\xBF"s, "\xE0\x80\x80"s, "\xE0\x9F\xBF"s, "\xF0\x80\x80\x80"s, "\xF0\x8F\xBF\xBF"s));

INSTANTIATE_TEST_SUITE_P(
    Surrogates, InvalidUtf8, ::testing::Values("\xED\xA0\x80"s, "\xED\xAF\xBF"s, "\xED\xB0\x80"s, "\xED\xBF\xBF"s));

INSTANTIATE_TEST_SUITE_P(BeyondTheLastCodePoint, InvalidUtf8,
    ::testing::Values(
        "\xF4\x90\x80\x80"s, "\xF5\x80\x80\x80"s, "\xF7\xBF\xBF\xBF"s, "\xF8\x88\x80\x80\x80"s, "\xFE"s, "\xFF"s));

INSTANTIATE_TEST_SUITE_P(TruncatedOrBroken, InvalidUtf8,
    ::testing::Values("\xC3"s, "caf\xC3"s, "\xE2\x82"s, "\xF0\x90\x80"s, "\x80"s, "\xBF"s, "a\x80z"s, "\xC3\x28"s,
        "\xE2\x28\xAC"s, "\xE2\x82\x28"s, "\xF0\x90\x28\x80"s, "\xF0\x90\x80\x28"s, "caf\xE9"s));

TEST(Utf8ValidityTest, LooksNoFurtherThanTheView)
{
    const std::string text = "caf\xC3\xA9";
    EXPECT_FALSE(isValidUtf8(std::string_view(text).substr(0, 4)));
    EXPECT_TRUE(isValidUtf8(std::string_view(text).substr(0, 3)));
}

// ---------------------------------------------------------------- encoding

struct CodePointCase {
    char32_t codePoint;
    std::string utf8;
};

class AppendUtf8 : public ::testing::TestWithParam<CodePointCase> { };

TEST_P(AppendUtf8, WritesTheShortestForm)
{
    std::string text = "x";
    appendUtf8(text, GetParam().codePoint);
    EXPECT_EQ(text, "x" + GetParam().utf8);
}

// The first and last code point of each sequence length.
INSTANTIATE_TEST_SUITE_P(LengthEdges, AppendUtf8,
    ::testing::Values(CodePointCase{0, "\0"s}, CodePointCase{0x7F, "\x7F"s}, CodePointCase{0x80, "\xC2\x80"s},
        CodePointCase{0x7FF, "\xDF\xBF"s}, CodePointCase{0x800, "\xE0\xA0\x80"s},
        CodePointCase{0xFFFF, "\xEF\xBF\xBF"s}, CodePointCase{0x10000, "\xF0\x90\x80\x80"s},
        CodePointCase{0x10FFFF, "\xF4\x8F\xBF\xBF"s}));

// ---------------------------------------------------------------- Windows-1252

TEST(Windows1252Test, AsciiAndNulAreKept)
{
    const std::string ascii = "Name=Primer A\r\n\0;x"s;
    EXPECT_EQ(windows1252ToUtf8(ascii), ascii);
}

struct ByteCase {
    unsigned char byte;
    const char* utf8;
};

class Windows1252Byte : public ::testing::TestWithParam<ByteCase> { };

TEST_P(Windows1252Byte, MapsToItsCharacter)
{
    const std::string bytes(1, static_cast<char>(GetParam().byte));
    EXPECT_EQ(windows1252ToUtf8(bytes), GetParam().utf8) << "byte " << int(GetParam().byte);
}

INSTANTIATE_TEST_SUITE_P(SpecialRange, Windows1252Byte,
    ::testing::Values(ByteCase{0x80, "\u20AC"}, ByteCase{0x82, "\u201A"}, ByteCase{0x83, "\u0192"},
        ByteCase{0x84, "\u201E"}, ByteCase{0x85, "\u2026"}, ByteCase{0x86, "\u2020"}, ByteCase{0x87, "\u2021"},
        ByteCase{0x88, "\u02C6"}, ByteCase{0x89, "\u2030"}, ByteCase{0x8A, "\u0160"}, ByteCase{0x8B, "\u2039"},
        ByteCase{0x8C, "\u0152"}, ByteCase{0x8E, "\u017D"}, ByteCase{0x91, "\u2018"}, ByteCase{0x92, "\u2019"},
        ByteCase{0x93, "\u201C"}, ByteCase{0x94, "\u201D"}, ByteCase{0x95, "\u2022"}, ByteCase{0x96, "\u2013"},
        ByteCase{0x97, "\u2014"}, ByteCase{0x98, "\u02DC"}, ByteCase{0x99, "\u2122"}, ByteCase{0x9A, "\u0161"},
        ByteCase{0x9B, "\u203A"}, ByteCase{0x9C, "\u0153"}, ByteCase{0x9E, "\u017E"}, ByteCase{0x9F, "\u0178"}));

// The bytes the code page leaves undefined become the C1 controls of the same value.
INSTANTIATE_TEST_SUITE_P(Undefined, Windows1252Byte,
    ::testing::Values(ByteCase{0x81, "\xC2\x81"}, ByteCase{0x8D, "\xC2\x8D"}, ByteCase{0x8F, "\xC2\x8F"},
        ByteCase{0x90, "\xC2\x90"}, ByteCase{0x9D, "\xC2\x9D"}));

INSTANTIATE_TEST_SUITE_P(Latin1Range, Windows1252Byte,
    ::testing::Values(ByteCase{0xA0, "\u00A0"}, ByteCase{0xA9, "\u00A9"}, ByteCase{0xC9, "\u00C9"},
        ByteCase{0xE9, "\u00E9"}, ByteCase{0xFC, "\u00FC"}, ByteCase{0xFF, "\u00FF"}));

TEST(Windows1252Test, EveryByteGivesValidUtf8)
{
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    const std::string utf8 = windows1252ToUtf8(all);
    EXPECT_TRUE(isValidUtf8(utf8));
    EXPECT_EQ(utf8Length(utf8), 256u);
}

TEST(Windows1252Test, EncodesBackEveryByte)
{
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all)), all);
}

TEST(Windows1252Test, RefusesWhatTheCodePageLacks)
{
    EXPECT_FALSE(utf8ToWindows1252("\u0100").has_value());  // Ā
    EXPECT_FALSE(utf8ToWindows1252("x \u4E2D").has_value());  // a CJK character
    EXPECT_FALSE(utf8ToWindows1252("\xF0\x9F\x8E\xA8").has_value());  // outside the BMP
    EXPECT_FALSE(utf8ToWindows1252("caf\xE9").has_value());  // not UTF-8 at all
    EXPECT_EQ(utf8ToWindows1252("caf\u00E9 \u20AC5"),
        "caf\xE9 \x80"
        "5");
}

// ---------------------------------------------------------------- file text

struct DecodeCase {
    std::string bytes;
    std::string expected;
};

class FileText : public ::testing::TestWithParam<DecodeCase> { };

TEST_P(FileText, IsUtf8WhenValidElseWindows1252)
{
    const std::string decoded = decodeFileText(GetParam().bytes);
    EXPECT_EQ(decoded, GetParam().expected);
    EXPECT_TRUE(isValidUtf8(decoded));
}

INSTANTIATE_TEST_SUITE_P(Files, FileText,
    ::testing::Values(DecodeCase{"", ""}, DecodeCase{"Name=resin", "Name=resin"},
        DecodeCase{"Name=caf\xC3\xA9", "Name=caf\xC3\xA9"}, DecodeCase{"Name=caf\xE9", "Name=caf\xC3\xA9"},
        // One bad byte makes the whole text Windows-1252, even its UTF-8-looking part.
        DecodeCase{"\xC3\xA9 \xE9", "\xC3\x83\xC2\xA9 \xC3\xA9"}, DecodeCase{"Cost=\x80 5", "Cost=\xE2\x82\xAC 5"},
        DecodeCase{"a\0b"s, "a\0b"s}));

// ---------------------------------------------------------------- counting

struct LengthCase {
    std::string text;
    std::size_t codePoints;
};

class Utf8Length : public ::testing::TestWithParam<LengthCase> { };

TEST_P(Utf8Length, CountsCodePoints)
{
    EXPECT_EQ(utf8Length(GetParam().text), GetParam().codePoints);
}

INSTANTIATE_TEST_SUITE_P(Texts, Utf8Length,
    ::testing::Values(LengthCase{"", 0}, LengthCase{"abc", 3}, LengthCase{"caf\xC3\xA9", 4},
        LengthCase{"\xE2\x82\xAC\xE2\x82\xAC", 2}, LengthCase{"\xF0\x9F\x8E\xA8!", 2}, LengthCase{"a\0b"s, 3}));

struct PrefixCase {
    std::string text;
    std::size_t count;
    std::string expected;
};

class Utf8Prefix : public ::testing::TestWithParam<PrefixCase> { };

TEST_P(Utf8Prefix, KeepsWholeCodePoints)
{
    EXPECT_EQ(utf8Prefix(GetParam().text, GetParam().count), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, Utf8Prefix,
    ::testing::Values(PrefixCase{"abcdef", 3, "abc"}, PrefixCase{"abc", 0, ""}, PrefixCase{"abc", 3, "abc"},
        PrefixCase{"abc", 10, "abc"}, PrefixCase{"", 2, ""}, PrefixCase{"caf\xC3\xA9s", 4, "caf\xC3\xA9"},
        PrefixCase{"\xC3\xA9\xC3\xA9", 1, "\xC3\xA9"},
        PrefixCase{"\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC", 2, "\xE2\x82\xAC\xE2\x82\xAC"},
        PrefixCase{"x\xF0\x9F\x8E\xA8y", 2, "x\xF0\x9F\x8E\xA8"}));

}  // namespace
}  // namespace tintora
