#include "core/formulas/FormulaProperties.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace tintora;
using tintora::testing::TempFolder;

namespace {

using Notes = std::vector<std::string>;
using Specs = std::vector<TestSpecEntry>;

// --- reading the sections --------------------------------------------------------

struct SectionsCase {
    const char* name;
    const char* file;
    Notes notes;
    Specs specs;
};

class ReadSectionsTest : public ::testing::TestWithParam<SectionsCase> { };

TEST_P(ReadSectionsTest, NotesAndTestSpecsAsStored)
{
    const FormulaProperties read = readFormulaProperties(IniFile::parse(GetParam().file));
    EXPECT_EQ(read.notes, GetParam().notes);
    EXPECT_EQ(read.testSpecs, GetParam().specs);
}

INSTANTIATE_TEST_SUITE_P(FormulaProperties, ReadSectionsTest,
    ::testing::Values(SectionsCase{"TwoNotesOneTestSpec",
                          "[Memo]\nMemoCount=2\nMemo0=Keep from freezing.\nMemo1=Stir before use.\n"
                          "[Spec]\nSpecCount=1\nSpec0=Viscosity\nSpecSub0=85 KU\n",
                          {"Keep from freezing.", "Stir before use."}, {{"Viscosity", {"85 KU"}}}},
        SectionsCase{
            "MissingNoteBelowTheCountIsAnEmptyLine", "[Memo]\nMemoCount=3\nMemo0=a\nMemo2=c\n", {"a", "", "c"}, {}},
        SectionsCase{"MissingTestSpecIsAnEmptyEntry", "[Spec]\nSpecCount=2\nSpec0=pH\nSpecSub0=8.5\n", {},
            {{"pH", {"8.5"}}, {"", {}}}},
        SectionsCase{
            "EmptyDeterminedValueGivesNoSubItem", "[Spec]\nSpecCount=1\nSpec0=Gloss\nSpecSub0=\n", {}, {{"Gloss", {}}}},
        SectionsCase{"KeysBeyondTheCountAreNotRead",
            "[Memo]\nMemoCount=1\nMemo0=a\nMemo1=b\n[Spec]\nSpecCount=1\nSpec0=x\nSpec1=y\n", {"a"}, {{"x", {}}}},
        SectionsCase{"KeyNumbersStartAtZeroWithoutLeadingZeros",
            "[Memo]\nMemoCount=2\nMemo1=one\nMemo01=padded\nMemo2=two\n", {"", "one"}, {}},
        SectionsCase{"NegativeCounts", "[Memo]\nMemoCount=-2\nMemo0=a\n[Spec]\nSpecCount=-1\nSpec0=x\n", {}, {}},
        SectionsCase{
            "CountsThatAreNoIntegers", "[Memo]\nMemoCount=two\nMemo0=a\n[Spec]\nSpecCount=1.5\nSpec0=x\n", {}, {}},
        SectionsCase{"HexadecimalCount", "[Memo]\nMemoCount=0x2\nMemo0=a\nMemo1=b\n", {"a", "b"}, {}},
        SectionsCase{"SectionAndKeyNamesIgnoreCase",
            "[memo]\nmemocount=1\nMEMO0=a\n[SPEC]\nspeccount=1\nspec0=x\nSPECSUB0=y\n", {"a"}, {{"x", {"y"}}}},
        SectionsCase{"BlanksAroundValuesDropped", "[Spec]\nSpecCount=1\nSpec0=  Viscosity  \nSpecSub0= 85 KU \n", {},
            {{"Viscosity", {"85 KU"}}}},
        SectionsCase{"NoSections", "[Formula]\nName=X\n", {}, {}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(FormulaPropertiesTest, HugeCountsAreCut)
{
    const FormulaProperties read
        = readFormulaProperties(IniFile::parse("[Memo]\nMemoCount=2147483647\nMemo0=a\n[Spec]\nSpecCount=99999999\n"));
    ASSERT_EQ(read.notes.size(), static_cast<std::size_t>(MaxPropertyLines));
    EXPECT_EQ(read.notes.front(), "a");
    EXPECT_EQ(read.testSpecs.size(), static_cast<std::size_t>(MaxPropertyLines));
}

TEST(FormulaPropertiesTest, DateAsStoredOrAbsent)
{
    EXPECT_EQ(readFormulaProperties(IniFile::parse("[Properties]\nDate=3/14/99\n")).date, "3/14/99");
    EXPECT_EQ(readFormulaProperties(IniFile::parse("[Properties]\nDate=\n")).date, "");
    EXPECT_EQ(readFormulaProperties(IniFile::parse("[Properties]\nProtect=1\n")).date, std::nullopt);
}

TEST(FormulaPropertiesTest, MissingFileReadsAsNothing)
{
    TempFolder folder;
    const FormulaProperties read = readFormulaProperties(folder.path() / "nosuch.tfx");
    EXPECT_EQ(read.date, std::nullopt);
    EXPECT_TRUE(read.notes.empty());
    EXPECT_TRUE(read.testSpecs.empty());
}

TEST(FormulaPropertiesTest, ReadsTheFileAndLeavesItAsItWas)
{
    TempFolder folder;
    const std::string bytes = "[Properties]\r\nDate=2026-11-20\r\n[Memo]\r\nMemoCount=1\r\nMemo0=Stir.\r\n";
    const auto file = folder.write("f.tfx", bytes);
    const FormulaProperties read = readFormulaProperties(file);
    EXPECT_EQ(read.date, "2026-11-20");
    EXPECT_EQ(read.notes, Notes{"Stir."});
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes);
}

// --- the revision date ---------------------------------------------------------

constexpr CalendarDate Today{2026, 11, 20};

const DateNames English{{"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October", "November",
        "December"},
    {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"},
    {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"}};

struct DateCase {
    const char* name;
    std::optional<std::string> stored;
    const char* pattern;
    std::optional<CalendarDate> expected;  // nullopt: not a date
};

class RevisionDateTest : public ::testing::TestWithParam<DateCase> { };

TEST_P(RevisionDateTest, ReadsAsExpected)
{
    const DateCase& c = GetParam();
    const RevisionDate date = readRevisionDate(c.stored, c.pattern, Today, English);
    EXPECT_EQ(date.date, c.expected);
    if (c.expected)
        EXPECT_EQ(date.problem, "");
    else
        EXPECT_EQ(date.problem, "'" + *c.stored + "' is not a valid date");
}

INSTANTIATE_TEST_SUITE_P(FormulaProperties, RevisionDateTest,
    ::testing::Values(DateCase{"MissingIsToday", std::nullopt, "M/d/yy", Today},
        DateCase{"EmptyIsToday", "", "M/d/yy", Today},
        DateCase{"ShortFormTwoDigitYear", "3/14/99", "M/d/yy", CalendarDate{1999, 3, 14}},
        DateCase{"ShortFormFourDigitYear", "3/14/1999", "M/d/yy", CalendarDate{1999, 3, 14}},
        DateCase{"ShortFormPaddedFields", "03/04/26", "M/d/yy", CalendarDate{2026, 3, 4}},
        DateCase{"ShortFormDayFirst", "14.03.1999", "dd.MM.yyyy", CalendarDate{1999, 3, 14}},
        DateCase{"ShortFormQuotedLiteral", "14.3.99 r.", "d.M.yy 'r.'", CalendarDate{1999, 3, 14}},
        DateCase{"ShortFormYearFirst", "2026/11/3", "yyyy/M/d", CalendarDate{2026, 11, 3}},
        DateCase{"IsoUnderAnyShortForm", "2026-11-20", "M/d/yy", CalendarDate{2026, 11, 20}},
        DateCase{"IsoUnderDayFirstForm", "2024-02-29", "dd.MM.yyyy", CalendarDate{2024, 2, 29}},
        DateCase{"NoLeapDayIn2026", "2026-02-29", "M/d/yy", std::nullopt},
        DateCase{"DayThirtyOfFebruary", "2/30/99", "M/d/yy", std::nullopt},
        DateCase{"MonthThirteen", "13/1/99", "M/d/yy", std::nullopt},
        DateCase{"OtherLocaleOrderIsNoDate", "14/3/99", "M/d/yy", std::nullopt},
        DateCase{"Words", "yesterday", "M/d/yy", std::nullopt},
        DateCase{"TrailingText", "3/14/99 noon", "M/d/yy", std::nullopt},
        DateCase{"MissingYear", "3/14", "M/d/yy", std::nullopt},
        DateCase{"IsoWithSingleDigitMonth", "2026-1-20", "M/d/yy", std::nullopt},
        DateCase{"YearBeforeTheField", "0099-01-01", "M/d/yy", std::nullopt},
        DateCase{"QuoteInText", "it's", "M/d/yy", std::nullopt},
        DateCase{"ShortMonthName", "14 Mar 1999", "d MMM yyyy", CalendarDate{1999, 3, 14}},
        DateCase{"LongMonthNameAnyCase", "14 MARCH 1999", "d MMM yyyy", CalendarDate{1999, 3, 14}},
        DateCase{"MayIsShortAndLong", "1 May 26", "d MMMM yy", CalendarDate{2026, 5, 1}},
        DateCase{"WeekdayPassedOver", "Sunday, 14 Mar 1999", "ddd, d MMM yyyy", CalendarDate{1999, 3, 14}},
        DateCase{"UnknownMonthName", "14 Mrz 1999", "d MMM yyyy", std::nullopt},
        DateCase{"NumberWhereTheNameBelongs", "14 3 1999", "d MMM yyyy", std::nullopt},
        DateCase{"IsoUnderMonthNameForm", "2026-11-20", "d MMM yyyy", CalendarDate{2026, 11, 20}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

// A chosen date is written as yyyy-mm-dd: every valid date, from the field's
// first year on, reads back under any short form.
TEST(IsoDateText, EveryValidDateReadsBackUnderAnyShortForm)
{
    for (const CalendarDate date : {CalendarDate{MinDateYear, 1, 1}, CalendarDate{999, 12, 31},
             CalendarDate{2024, 2, 29}, CalendarDate{2027, 1, 5}, CalendarDate{9999, 12, 31}}) {
        const std::string text = isoDateText(date);
        EXPECT_EQ(text.size(), 10u) << text;
        for (const char* pattern : {"M/d/yy", "dd.MM.yyyy", "d MMM yyyy", "yyyy-dd-MM"})
            EXPECT_EQ(readRevisionDate(text, pattern, Today, English).date, date) << text << " " << pattern;
    }
}

struct CenturyCase {
    int twoDigits;
    int year;
};

class TwoDigitYearTest : public ::testing::TestWithParam<CenturyCase> { };

TEST_P(TwoDigitYearTest, FallsInTheHundredYearsAroundToday)
{
    const std::string text = "1/1/" + std::to_string(GetParam().twoDigits);
    const auto date = parsePatternDate(text, "M/d/yy", 2026);
    ASSERT_TRUE(date);
    EXPECT_EQ(date->year, GetParam().year);
}

INSTANTIATE_TEST_SUITE_P(FormulaProperties, TwoDigitYearTest,
    ::testing::Values(CenturyCase{0, 2000}, CenturyCase{26, 2026}, CenturyCase{46, 2046}, CenturyCase{47, 1947},
        CenturyCase{99, 1999}));

TEST(FormulaPropertiesTest, NamesNeedTheLanguage)
{
    EXPECT_EQ(parsePatternDate("14 Mar 1999", "d MMM yyyy", 2026), std::nullopt);
}

TEST(FormulaPropertiesTest, DateFieldAlwaysShowsFourDigitYears)
{
    EXPECT_EQ(fourDigitYearPattern("M/d/yy"), "M/d/yyyy");
    EXPECT_EQ(fourDigitYearPattern("dd.MM.yyyy"), "dd.MM.yyyy");
    EXPECT_EQ(fourDigitYearPattern("d.M.yy 'y.'"), "d.M.yyyy 'y.'");
}

// --- the test spec list ----------------------------------------------------

TEST(FormulaPropertiesTest, TrimRemovesBlanksAndControlCharacters)
{
    EXPECT_EQ(trimBlanksAndControls("  \t Viscosity\r\n"), "Viscosity");
    EXPECT_EQ(trimBlanksAndControls("a b"), "a b");
    EXPECT_EQ(trimBlanksAndControls(" \x01\x1f "), "");
    EXPECT_EQ(trimBlanksAndControls("\xC3\xA9t\xC3\xA9 "), "\xC3\xA9t\xC3\xA9");
}

struct EditCase {
    const char* name;
    TestSpecEntry entry;
    TestSpecFields fields;
};

class EditFieldsTest : public ::testing::TestWithParam<EditCase> { };

TEST_P(EditFieldsTest, PrefilledTrimmed)
{
    EXPECT_EQ(fieldsForEditing(GetParam().entry), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(FormulaProperties, EditFieldsTest,
    ::testing::Values(EditCase{"OneSubItem", {"Viscosity", {"85 KU"}}, {"Viscosity", "85 KU"}},
        EditCase{"NoSubItem", {"Gloss", {}}, {"Gloss", ""}},
        EditCase{"BlanksAroundCaption", {"  pH  ", {" 8.5 "}}, {"pH", "8.5"}},
        EditCase{"TwoSubItemsJoinedByALineBreak", {"x", {"a", "b"}}, {"x", "a\r\nb"}},
        EditCase{"EmptyEntry", {"", {""}}, {"", ""}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(FormulaPropertiesTest, AddKeepsTextsAsTypedWithOneSubItem)
{
    EXPECT_EQ(addedTestSpec(" Gloss ", "90"), (TestSpecEntry{" Gloss ", {"90"}}));
    EXPECT_EQ(addedTestSpec("", ""), (TestSpecEntry{"", {""}}));
}

TEST(FormulaPropertiesTest, EditReplacesCaptionAndSubItems)
{
    TestSpecEntry entry{"x", {"a", "b"}};
    applyEditedTestSpec(entry, "y", "c");
    EXPECT_EQ(entry, (TestSpecEntry{"y", {"c"}}));
    applyEditedTestSpec(entry, "y", "");
    EXPECT_EQ(entry, (TestSpecEntry{"y", {}}));
}

// --- the notes ---------------------------------------------------------------

TEST(FormulaPropertiesTest, TypingStopsAtTheNotesLimit)
{
    EXPECT_EQ(typedCharactersThatFit(0, 0, 300), 255u);
    EXPECT_EQ(typedCharactersThatFit(254, 0, 3), 1u);
    EXPECT_EQ(typedCharactersThatFit(255, 0, 1), 0u);
    EXPECT_EQ(typedCharactersThatFit(255, 5, 7), 5u);  // replacing a selection
    EXPECT_EQ(typedCharactersThatFit(400, 0, 1), 0u);  // longer from the file: nothing more fits
    EXPECT_EQ(typedCharactersThatFit(400, 200, 10), 10u);
}

// --- placement -----------------------------------------------------------------

struct PlacementCase {
    const char* name;
    ScreenPoint mainCorner;
    ScreenArea screen;
    ScreenPoint expected;
};

class PlacementTest : public ::testing::TestWithParam<PlacementCase> { };

TEST_P(PlacementTest, PropertiesDialogStaysOnTheScreen)
{
    const PlacementCase& c = GetParam();
    EXPECT_EQ(placeFormulaProperties(c.mainCorner, 370, 430, c.screen), c.expected);
}

INSTANTIATE_TEST_SUITE_P(FormulaProperties, PlacementTest,
    ::testing::Values(PlacementCase{"BelowAndRightOfTheMainWindow", {100, 80}, {0, 0, 1920, 1080}, {160, 130}},
        PlacementCase{"AboveTheScreen", {-300, -200}, {0, 0, 1920, 1080}, {0, 0}},
        PlacementCase{"BelowTheScreen", {100, 900}, {0, 0, 1920, 1080}, {160, 650}},
        PlacementCase{"RightOfTheScreen", {1700, 80}, {0, 0, 1920, 1080}, {1550, 130}},
        PlacementCase{"SecondScreen", {1900, 10}, {1920, 0, 1280, 1024}, {1960, 60}},
        PlacementCase{"ScreenSmallerThanTheDialogKeepsBottomRightOnIt", {0, 0}, {0, 0, 300, 400}, {-70, -30}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(FormulaPropertiesTest, EntryDialogBelowThePropertiesCorner)
{
    EXPECT_EQ(placeTestSpecEntry({160, 130}), (ScreenPoint{185, 190}));
}

}  // namespace
