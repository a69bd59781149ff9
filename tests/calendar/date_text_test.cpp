#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "calendar/date_text.h"
#include "settings/settings.h"
#include "text/letter_code.h"

namespace {

// The date text as a reader reads it: reading order, UTF-8.
std::string Reading(int32_t month, int32_t day, int32_t year)
{
    DateRec date{month, day, year};
    uint8_t text[DATE_TEXT_SIZE];
    int32_t length = FormatHebrewDate(&date, text);
    if (length == 0) return "(none)";
    EXPECT_EQ(std::strlen(reinterpret_cast<const char*>(text)), static_cast<size_t>(length));
    std::string s(reinterpret_cast<const char*>(text), length);
    FlipReadingOrder(s);
    return LetterCodeToUtf8(s);
}

// The value of a Hebrew numeral; final forms count as their letters.
int32_t NumeralValue(const std::u32string& letters)
{
    static const int32_t values[27] = {1,  2,  3,  4,  5,  6,  7,  8,  9,   10,  20,  20,  30, 40,
                                       40, 50, 50, 60, 70, 80, 80, 90, 90, 100, 200, 300, 400};
    int32_t sum = 0;
    for (char32_t c : letters) {
        if (c < 0x5D0 || c > 0x5EA) return -1;
        sum += values[c - 0x5D0];
    }
    return sum;
}

// Split reading-order text "DAY MONTH YEAR" with YEAR as "T'REST" or "REST".
struct Parsed {
    std::u32string day, month, thousands, rest;
    bool apostrophe = false;
};

Parsed Parse(int32_t month, int32_t day, int32_t year)
{
    DateRec date{month, day, year};
    uint8_t text[DATE_TEXT_SIZE];
    int32_t length = FormatHebrewDate(&date, text);
    std::string s(reinterpret_cast<const char*>(text), length);
    FlipReadingOrder(s);
    std::u32string u;
    for (unsigned char b : s) u += CodePointOfLetterCode(b);
    Parsed p;
    size_t first = u.find(U' '), last = u.rfind(U' ');
    p.day = u.substr(0, first);
    p.month = u.substr(first + 1, last - first - 1);
    std::u32string y = u.substr(last + 1);
    size_t mark = y.find(U'\'');
    if (mark != std::u32string::npos) {
        p.apostrophe = true;
        p.thousands = y.substr(0, mark);
        p.rest = y.substr(mark + 1);
    } else {
        p.rest = y;
    }
    return p;
}

bool Descending(const std::u32string& letters)
{
    for (size_t i = 1; i < letters.size(); ++i)
        if (NumeralValue(letters.substr(i, 1)) > NumeralValue(letters.substr(i - 1, 1))) return false;
    return true;
}

TEST(HebrewDateText, KnownDates)
{
    EXPECT_EQ(Reading(12, 12, 5767), "יב אדר ה'תשסז");
    EXPECT_EQ(Reading(7, 1, 5000), "א תשרי ד'תתר");
    EXPECT_EQ(Reading(7, 1, 5270), "א תשרי ה'ער");
    EXPECT_EQ(Reading(7, 1, 5315), "א תשרי ה'שטו");
    EXPECT_EQ(Reading(7, 1, 5316), "א תשרי ה'שטז");
    EXPECT_EQ(Reading(5, 15, 5766), "טו אב ה'תשסו");
    EXPECT_EQ(Reading(5, 16, 5766), "טז אב ה'תשסו");
    EXPECT_EQ(Reading(1, 30, 5785), "ל ניסן ה'תשפה");
    EXPECT_EQ(Reading(1, 10, 5785), "י ניסן ה'תשפה");
    EXPECT_EQ(Reading(12, 14, 5784), "יד אדר א' ה'תשפד");
    EXPECT_EQ(Reading(13, 14, 5784), "יד אדר ב' ה'תשפד");
    EXPECT_EQ(Reading(1, 1, 999), "א ניסן תתקצט");
    EXPECT_EQ(Reading(1, 1, 1000), "א ניסן תתר");
}

TEST(HebrewDateText, StoredInVisualOrder)
{
    DateRec date{12, 12, 5767};
    uint8_t text[DATE_TEXT_SIZE];
    ASSERT_EQ(FormatHebrewDate(&date, text), 13);
    // ז ס ש ת ' ה, space, ר ד א, space, ב י: the reading order backwards.
    EXPECT_STREQ(reinterpret_cast<const char*>(text), "grz{'e yda bj");
}

TEST(HebrewDateText, YearsFromTenThousandKeepTheirThousands)
{
    // Only the last digit of the thousands was written: 10534 came out as a
    // bare apostrophe and 11000 as 1000.
    EXPECT_EQ(Reading(13, 28, 10534), "כח אדר ב' י'תקלד");
    EXPECT_EQ(Reading(7, 1, 11000), "א תשרי י'תתר");
    EXPECT_EQ(Reading(7, 1, 11001), "א תשרי יא'א");
    EXPECT_EQ(Reading(7, 1, 15001), "א תשרי טו'א");
}

TEST(HebrewDateText, UnwritableDatesLeaveTheBufferAlone)
{
    struct { int32_t month, day, year; } bad[] = {
        {13, 1, 5767}, {0, 1, 5767}, {14, 1, 5768}, {-1, 1, 5768},
        // Out-of-range days and years would index past the numeral tables.
        {7, 0, 5767}, {7, 31, 5767}, {7, -4, 5767}, {7, 120, 5767}, {7, 1, 0}, {7, 1, -5767},
    };
    for (auto& b : bad) {
        DateRec date{b.month, b.day, b.year};
        uint8_t text[DATE_TEXT_SIZE];
        std::memset(text, '#', sizeof text);
        EXPECT_EQ(FormatHebrewDate(&date, text), 0) << b.month << "/" << b.day << "/" << b.year;
        EXPECT_EQ(text[0], '#');
    }
    uint8_t text[DATE_TEXT_SIZE];
    DateRec good{7, 1, 5767};
    EXPECT_EQ(FormatHebrewDate(nullptr, text), 0);
    EXPECT_EQ(FormatHebrewDate(&good, nullptr), 0);
}

TEST(HebrewDateText, EveryYearAndDayIsARealNumeral)
{
    const std::u32string fifteen = U"טו", sixteen = U"טז";
    const std::vector<std::u32string> specials = {U"ער", U"ערב", U"עדר", U"ערה", U"רחצ", U"דש", U"שדמ"};
    for (int32_t year = 1; year <= 14000; ++year) {
        Parsed p = Parse(7, 1, year);
        int32_t value = NumeralValue(p.rest);
        if (p.apostrophe) value += 1000 * NumeralValue(p.thousands);
        ASSERT_EQ(value, year) << year;
        ASSERT_EQ(p.apostrophe, year > 1000) << year;
        if (year > 1000) {
            ASSERT_TRUE(!p.thousands.empty() && p.thousands.size() <= 2) << year;
        }
        // Letters run from high to low, except the customary forms.
        std::u32string tail = p.rest;
        for (const std::u32string& form : specials)
            if (tail == form) tail.clear();
        for (const std::u32string& form : {fifteen, sixteen})
            if (tail.size() >= 2 && tail.compare(tail.size() - 2, 2, form) == 0) tail.resize(tail.size() - 2);
        ASSERT_TRUE(Descending(tail)) << year;
        int32_t r = year % 1000;
        ASSERT_EQ(r % 100 == 15, p.rest.ends_with(fifteen)) << year;
        ASSERT_EQ(r % 100 == 16, p.rest.ends_with(sixteen)) << year;
    }
    for (int32_t day = 1; day <= 30; ++day) {
        Parsed p = Parse(7, day, 5767);
        EXPECT_EQ(NumeralValue(p.day), day);
        EXPECT_TRUE(day == 15 || day == 16 || Descending(p.day)) << day;
    }
    EXPECT_EQ(Parse(7, 15, 5767).day, fifteen);
    EXPECT_EQ(Parse(7, 16, 5767).day, sixteen);
    for (int32_t r : {270, 272, 274, 275, 298, 304, 344}) {
        std::u32string form = Parse(7, 1, 5000 + r).rest;
        EXPECT_NE(std::find(specials.begin(), specials.end(), form), specials.end()) << r;
    }
}

TEST(HebrewDateText, MonthNamesAndLongestText)
{
    const char* common[] = {"ניסן", "אייר", "סיון", "תמוז", "אב", "אלול",
                            "תשרי", "חשון", "כסלו", "טבת", "שבט", "אדר"};
    for (int32_t m = 1; m <= 12; ++m) {
        EXPECT_EQ(Reading(m, 1, 5767), std::string("א ") + common[m - 1] + " ה'תשסז") << m;
        if (m < 12) {
            EXPECT_EQ(Reading(m, 1, 5768), std::string("א ") + common[m - 1] + " ה'תשסח") << m;
        }
    }
    EXPECT_EQ(Reading(12, 1, 5768), "א אדר א' ה'תשסח");
    EXPECT_EQ(Reading(13, 1, 5768), "א אדר ב' ה'תשסח");

    // The longest year with the longest month name and a two-letter day.
    int32_t longest = 0;
    for (int32_t year = 1; year <= 14000; ++year) {
        DateRec date{IsHebrewLeapYear(year) ? 13 : 4, 29, year};
        uint8_t text[DATE_TEXT_SIZE];
        int32_t length = FormatHebrewDate(&date, text);
        longest = std::max(longest, length);
        if (year < 10000) {
            ASSERT_LE(length, 17) << year;
        }
    }
    EXPECT_EQ(longest, HEBREW_DATE_TEXT_MAX);
    EXPECT_LT(HEBREW_DATE_TEXT_MAX, DATE_TEXT_SIZE);
}

}  // namespace
