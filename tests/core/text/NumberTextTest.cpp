#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <locale>
#include <random>
#include <stdexcept>
#include <string>

#include "core/text/NumberText.h"

namespace tintora {
namespace {

// ---------------------------------------------------------------- reading numbers

struct ParseCase {
    const char* text;
    double expected;
};

class NumberTextReads : public ::testing::TestWithParam<ParseCase> { };

TEST_P(NumberTextReads, AsTheRuleSays)
{
    const auto& [text, expected] = GetParam();
    const auto parsed = parseNumberText(text);
    ASSERT_TRUE(parsed.has_value()) << '"' << text << '"';
    EXPECT_DOUBLE_EQ(*parsed, expected) << '"' << text << '"';
    EXPECT_DOUBLE_EQ(numberFromText(text), expected) << '"' << text << '"';
}

INSTANTIATE_TEST_SUITE_P(WellFormed, NumberTextReads,
    ::testing::Values(ParseCase{"0", 0.0}, ParseCase{"7", 7.0}, ParseCase{"1.5", 1.5}, ParseCase{"   1.500", 1.5},
        ParseCase{"\t\t2.25", 2.25}, ParseCase{" \t 3", 3.0}, ParseCase{"+4", 4.0}, ParseCase{"-0.5", -0.5},
        ParseCase{"+0.125", 0.125}, ParseCase{"12.", 12.0}, ParseCase{"-12.", -12.0}, ParseCase{"007", 7.0},
        ParseCase{"1.5E2", 150.0}, ParseCase{"1.5e2", 150.0}, ParseCase{"2e+3", 2000.0}, ParseCase{"25e-2", 0.25},
        ParseCase{"-1E0", -1.0}, ParseCase{"1e007", 1e7}, ParseCase{"   0.250", 0.25},
        ParseCase{"99999.999", 99999.999}, ParseCase{"1.7976931348623157e308", std::numeric_limits<double>::max()},
        ParseCase{"123456789012345678901234567890", 1.2345678901234568e29}));

INSTANTIATE_TEST_SUITE_P(EmptyOrBlank, NumberTextReads,
    ::testing::Values(ParseCase{"", 0.0}, ParseCase{" ", 0.0}, ParseCase{"        ", 0.0}, ParseCase{"\t \t", 0.0}));

// A value too small for a double is zero, not an error.
INSTANTIATE_TEST_SUITE_P(Underflow, NumberTextReads,
    ::testing::Values(
        ParseCase{"1e-400", 0.0}, ParseCase{"-1e-400", 0.0}, ParseCase{"0.000000000000000000001e-310", 0.0}));

class NumberTextRejects : public ::testing::TestWithParam<const char*> { };

TEST_P(NumberTextRejects, AsMalformedAndCountsAsZero)
{
    const char* text = GetParam();
    EXPECT_FALSE(parseNumberText(text).has_value()) << '"' << text << '"';
    EXPECT_EQ(numberFromText(text), 0.0) << '"' << text << '"';
}

INSTANTIATE_TEST_SUITE_P(Malformed, NumberTextRejects,
    ::testing::Values(".5", "-.5", "-", "+", "+-1", "--1", "- 1", "1e", "1e+", "1E-", "e5", "1,5", "12x", "1.5 ", "1 2",
        "1.2.3", "12.e5", "12..", "0x10", "1_000", "inf", "nan", "Infinity", "1.5f", "\xEF\xBC\x91", "1\n", "\n1",
        "1\r"));

INSTANTIATE_TEST_SUITE_P(
    NotFinite, NumberTextRejects, ::testing::Values("1e999", "-1e999", "1.8e308", "1e99999999999999999999"));

TEST(NumberTextTest, EmbeddedNulIsMalformed)
{
    const std::string withNul("1\0"
                              "2",
        3);
    EXPECT_FALSE(parseNumberText(withNul).has_value());
}

TEST(NumberTextTest, ReadsOnlyTheGivenView)
{
    const std::string_view text("12345", 2);
    EXPECT_EQ(parseNumberText(text), 12.0);
}

TEST(NumberTextTest, NegativeSignIsKeptOnZero)
{
    const auto parsed = parseNumberText("-0");
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(*parsed, 0.0);
    EXPECT_TRUE(std::signbit(*parsed));
}

// ---------------------------------------------------------------- writing numbers

struct FormatCase {
    double value;
    int decimals;
    int minWidth;
    const char* expected;
};

class FixedFormat : public ::testing::TestWithParam<FormatCase> { };

TEST_P(FixedFormat, RoundsTheExactBinaryValue)
{
    const auto& [value, decimals, minWidth, expected] = GetParam();
    EXPECT_EQ(formatFixed(value, decimals, minWidth), expected)
        << value << " with " << decimals << " decimals in " << minWidth;
}

// Expected texts are what "%*.*f" gives for the same double.
INSTANTIATE_TEST_SUITE_P(LikePrintf, FixedFormat,
    ::testing::Values(FormatCase{0.25, 3, 8, "   0.250"}, FormatCase{1.5, 3, 0, "1.500"},
        FormatCase{2.675, 2, 0, "2.67"}, FormatCase{2.675, 3, 0, "2.675"}, FormatCase{0.0005, 3, 0, "0.001"},
        FormatCase{1.0005, 3, 0, "1.000"}, FormatCase{1.005, 2, 0, "1.00"}, FormatCase{0.125, 2, 0, "0.12"},
        FormatCase{0.375, 2, 0, "0.38"}, FormatCase{2.5, 0, 0, "2"}, FormatCase{1.5, 0, 0, "2"},
        FormatCase{-2.5, 3, 8, "  -2.500"}, FormatCase{12.3456, 3, 8, "  12.346"},
        FormatCase{99999.999, 3, 8, "99999.999"}, FormatCase{99999.9995, 3, 8, "100000.000"},
        FormatCase{123456789.125, 2, 0, "123456789.12"}, FormatCase{1e15, 0, 0, "1000000000000000"},
        FormatCase{0.1, 9, 0, "0.100000000"}, FormatCase{7, 3, 3, "7.000"}, FormatCase{7, 3, -5, "7.000"}));

INSTANTIATE_TEST_SUITE_P(ZeroHasNoMinus, FixedFormat,
    ::testing::Values(FormatCase{-0.0004, 3, 8, "   0.000"}, FormatCase{-0.0, 3, 0, "0.000"},
        FormatCase{-0.004, 2, 0, "0.00"}, FormatCase{-0.4, 0, 0, "0"}, FormatCase{-0.0005, 3, 0, "-0.001"},
        FormatCase{5e-324, 3, 0, "0.000"}));

INSTANTIATE_TEST_SUITE_P(NotFiniteIsZero, FixedFormat,
    ::testing::Values(FormatCase{std::numeric_limits<double>::infinity(), 3, 8, "   0.000"},
        FormatCase{-std::numeric_limits<double>::infinity(), 3, 0, "0.000"},
        FormatCase{std::numeric_limits<double>::quiet_NaN(), 2, 0, "0.00"}));

INSTANTIATE_TEST_SUITE_P(DecimalsClampedToNine, FixedFormat,
    ::testing::Values(FormatCase{1.25, -3, 0, "1"}, FormatCase{0.5, 12, 0, "0.500000000"}));

TEST(FixedFormatTest, LargestDoubleIsWrittenInFull)
{
    const std::string text = formatFixed(std::numeric_limits<double>::max(), 9);
    EXPECT_EQ(text.size(), 309u + 1u + 9u);
    EXPECT_TRUE(text.starts_with("179769313486231570"));
    EXPECT_TRUE(text.ends_with(".000000000"));
}

TEST(FixedFormatTest, NamedFormsUseTheirWidthAndDecimals)
{
    EXPECT_EQ(formatCell(0.25), "   0.250");
    EXPECT_EQ(formatCell(-1234.5678), "-1234.568");
    EXPECT_EQ(formatPartner(12.345), "12.35");  // 12.345 lies just above the tie
    EXPECT_EQ(formatPartner(3), "3.00");
    EXPECT_EQ(formatThreeDecimals(41.6667), "41.667");
}

TEST(FixedFormatTest, CellTextReadsBackToTheRoundedValue)
{
    for (double value : {0.0, 0.25, 1.0005, 2.675, 12.3456, -7.77777, 99999.999, 1234.5}) {
        EXPECT_EQ(numberFromText(formatCell(value)), roundToThreeDecimals(value)) << value;
    }
}

// Any finite double, of any magnitude, including those written with an
// exponent, reads back as itself by the number rule.
TEST(FixedFormatTest, RoundTripTextReadsBackExactly)
{
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        double value = 0;
        do {
            const std::uint64_t bits = random();
            std::memcpy(&value, &bits, sizeof value);
        } while (!std::isfinite(value));
        if (i % 2 == 0)  // also the everyday range of fractions and gravities
            value = std::ldexp(static_cast<double>(random() >> 11), -53) * (i % 7 + 1);
        const std::string text = formatRoundTrip(value);
        ASSERT_EQ(parseNumberText(text), value == 0 ? 0.0 : value) << text;
    }
    EXPECT_EQ(formatRoundTrip(0.25), "0.25");
    EXPECT_EQ(formatRoundTrip(std::numeric_limits<double>::infinity()), "0");
}

struct RoundCase {
    double value;
    double expected;
};

class ThreeDecimals : public ::testing::TestWithParam<RoundCase> { };

TEST_P(ThreeDecimals, AsABoxShowsThem)
{
    EXPECT_EQ(roundToThreeDecimals(GetParam().value), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Values, ThreeDecimals,
    ::testing::Values(RoundCase{1.23456, 1.235}, RoundCase{0.0005, 0.001}, RoundCase{1.0005, 1.0},
        RoundCase{2.6754, 2.675}, RoundCase{-0.0004, 0.0}, RoundCase{-3.14159, -3.142},
        RoundCase{std::numeric_limits<double>::infinity(), 0.0}));

// Qt sets the process locale from the environment; numbers must not follow it.
class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
            GTEST_SKIP() << "de_DE.UTF-8 is not installed";
        try {
            std::locale::global(std::locale("de_DE.UTF-8"));
        } catch (const std::runtime_error&) {
            std::setlocale(LC_ALL, "C");
            GTEST_SKIP() << "de_DE.UTF-8 is not available to the C++ library";
        }
    }
    void TearDown() override
    {
        std::locale::global(std::locale::classic());
        std::setlocale(LC_ALL, "C");
    }
};

TEST_F(CommaLocale, WritesAPoint)
{
    ASSERT_EQ(std::use_facet<std::numpunct<char>>(std::locale()).decimal_point(), ',');
    EXPECT_EQ(formatCell(1234.5), "1234.500");
    EXPECT_EQ(formatPartner(0.5), "0.50");
    EXPECT_EQ(formatFixed(-2.675, 2, 8), "   -2.67");
}

TEST_F(CommaLocale, ReadsAPointAndNotAComma)
{
    EXPECT_EQ(parseNumberText("1.5"), 1.5);
    EXPECT_EQ(parseNumberText("  2.25E1"), 22.5);
    EXPECT_FALSE(parseNumberText("1,5").has_value());
    EXPECT_EQ(roundToThreeDecimals(1.23456), 1.235);
}

// ---------------------------------------------------------------- letter case

struct CaseCase {
    const char* text;
    const char* expected;
};

class FCase : public ::testing::TestWithParam<CaseCase> { };

TEST_P(FCase, CapitalisesOnlyTheFirstAsciiLetter)
{
    EXPECT_EQ(fCase(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Descriptions, FCase,
    ::testing::Values(CaseCase{"titanium DIOXIDE", "Titanium dioxide"}, CaseCase{"TIO2", "Tio2"},
        CaseCase{"2-ETHYL", "2-ethyl"}, CaseCase{"", ""}, CaseCase{"a", "A"}, CaseCase{"Z", "Z"},
        CaseCase{" lead", " lead"}, CaseCase{"mIXED cASE", "Mixed case"},
        CaseCase{"\xC3\xA9THER", "\xC3\xA9ther"},  // é stays as it is
        CaseCase{"CAF\xC3\x89 NOIR", "Caf\xC3\x89 noir"},  // É is not ASCII
        CaseCase{"@[`{", "@[`{"}));  // neighbours of the letters

TEST(AsciiCaseTest, LowersOnlyAsciiLetters)
{
    EXPECT_EQ(asciiLower("MiXeD 123 \xC3\x89"), "mixed 123 \xC3\x89");
    EXPECT_EQ(asciiLower(""), "");
}

TEST(AsciiCaseTest, ComparesWithoutRegardToAsciiCase)
{
    EXPECT_TRUE(equalsIgnoringAsciiCase("Material", "MATERIAL"));
    EXPECT_TRUE(equalsIgnoringAsciiCase("", ""));
    EXPECT_FALSE(equalsIgnoringAsciiCase("Material", "Materia"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("Spec", "Spek"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("@", "`"));  // 0x40 and 0x60 differ by the case bit only
    EXPECT_FALSE(equalsIgnoringAsciiCase("\xC3\xA9", "\xC3\x89"));
}

}  // namespace
}  // namespace tintora

// The quick paths for short numbers must agree with exact conversion on every
// value, near ties included.
TEST(NumberTextAgreement, FormattingAndReadingMatchExactConversion)
{
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> magnitude(-7, 12);
    std::uniform_int_distribution<int> sign(0, 1);
    std::uniform_int_distribution<std::int64_t> thousandths(-99999999, 99999999);
    for (int i = 0; i < 200000; ++i) {
        double value = std::pow(10.0, magnitude(random)) * (sign(random) ? -1 : 1);
        if (i % 4 == 1)
            value = static_cast<double>(thousandths(random)) / 1000 + 0.0005;  // near a tie
        if (i % 4 == 2)
            value = static_cast<double>(thousandths(random)) / 1000;
        for (int decimals : {2, 3}) {
            std::array<char, 400> buffer;
            const auto end
                = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals)
                      .ptr;
            std::string exact(buffer.data(), end);
            if (exact.find_first_of("123456789") == std::string::npos && exact.front() == '-')
                exact.erase(0, 1);
            ASSERT_EQ(tintora::formatFixed(value, decimals), exact) << value;

            double reference = 0;
            std::from_chars(exact.data() + (exact.front() == '-'), exact.data() + exact.size(), reference);
            if (exact.front() == '-')
                reference = -reference;
            ASSERT_EQ(tintora::numberFromText(exact), reference) << exact;
        }
    }
}
