// The Hebrew date text. Every table holds letter code in visual order, the
// reverse of reading order: letter code 0x61 + n is the Hebrew letter
// U+05D0 + n, so a=א b=ב c=ג d=ד e=ה f=ו g=ז h=ח i=ט j=י k=ך l=כ m=ל n=ם o=מ
// p=ן q=נ r=ס s=ע t=ף u=פ v=ץ w=צ x=ק y=ר z=ש {=ת.
#include "calendar/date_text.h"

#include <cstdio>
#include <cstring>

#include "calendar/calendar.h"
#include "settings/settings.h"

namespace {

constexpr char UNITS[10][2] = {"", "a", "b", "c", "d", "e", "f", "g", "h", "i"};
constexpr char TENS[10][2] = {"", "j", "l", "m", "o", "q", "r", "s", "u", "w"};
// 100..400 one letter, 500..800 ת and one more, 900 and 1000 תת and one more.
constexpr char HUNDREDS[11][4] = {"", "x", "y", "z", "{", "x{", "y{", "z{", "{{", "x{{", "y{{"};

constexpr char FIFTEEN[] = "fi";  // טו, not the letters of the divine name
constexpr char SIXTEEN[] = "gi";  // טז

// Year remainders written in a customary order that avoids an ill-omened word.
struct YearSpecial {
    int32_t remainder;
    char text[4];
};
constexpr YearSpecial YEAR_SPECIALS[7] = {
    {270, "ys"},   // ער
    {272, "bys"},  // ערב
    {274, "yds"},  // עדר
    {275, "eys"},  // ערה
    {298, "why"},  // רחצ
    {304, "zd"},   // דש
    {344, "odz"},  // שדמ
};

constexpr char MONTH_NAMES[13][8] = {
    "",
    "prjq",  // ניסן
    "yjja",  // אייר
    "pfjr",  // סיון
    "gfo{",  // תמוז
    "ba",    // אב
    "mfma",  // אלול
    "jyz{",  // תשרי
    "pfzh",  // חשון
    "fmrl",  // כסלו
    "{bi",   // טבת
    "ibz",   // שבט
    "yda",   // אדר
};
constexpr char LEAP_MONTH_NAMES[14][8] = {
    "",     "prjq", "yjja", "pfjr", "gfo{", "ba", "mfma", "jyz{", "pfzh", "fmrl", "{bi", "ibz",
    "'a yda",  // אדר א'
    "'b yda",  // אדר ב'
};

const char* YearSpecialOf(int32_t remainder)
{
    for (const YearSpecial& s : YEAR_SPECIALS)
        if (s.remainder == remainder) return s.text;
    return "";
}

// A number 0..99 as tens and units letters, or the customary 15 or 16.
struct Numeral {
    const char* special;
    int32_t tens, units;
};

Numeral TwoDigitNumeral(int32_t n)
{
    if (n == 15) return {FIFTEEN, 0, 0};
    if (n == 16) return {SIXTEEN, 0, 0};
    return {"", n / 10, n % 10};
}

}  // namespace

int32_t FormatHebrewDate(const DateRec* date, uint8_t* buffer)
{
    if (!date || !buffer) return 0;
    bool leap = IsHebrewLeapYear(date->year);
    if (date->month < 1 || date->month > (leap ? 13 : 12)) return 0;
    // The numeral tables reach day 30 and any positive year; anything else
    // (a broken stored day) would index past them.
    if (date->day < 1 || date->day > 30 || date->year < 1) return 0;

    const char* month = HebrewMonthName(date->month, leap);

    int32_t thousands = date->year / 1000;
    int32_t r = date->year % 1000;
    if (r == 0 && thousands != 0) {
        thousands -= 1;
        r = 1000;
    }
    const char* yearSpecial = YearSpecialOf(r);
    if (*yearSpecial) r = 0;
    int32_t hundreds = r / 100;
    Numeral year = TwoDigitNumeral(r % 100);
    if (!*year.special) year.special = yearSpecial;

    Numeral day = TwoDigitNumeral(date->day);
    // From the year 10000 on the thousands take two letters (10000 is
    // י', not a bare apostrophe).
    Numeral th = TwoDigitNumeral(thousands % 100);

    char text[DATE_TEXT_SIZE];
    int n;
    if (thousands != 0)
        n = std::snprintf(text, sizeof text, "%s%s%s%s'%s%s%s %s %s%s%s", year.special, UNITS[year.units], TENS[year.tens],
                          HUNDREDS[hundreds], th.special, UNITS[th.units], TENS[th.tens], month, day.special,
                          UNITS[day.units], TENS[day.tens]);
    else
        n = std::snprintf(text, sizeof text, "%s%s%s%s %s %s%s%s", year.special, UNITS[year.units], TENS[year.tens],
                          HUNDREDS[hundreds], month, day.special, UNITS[day.units], TENS[day.tens]);
    if (n <= 0 || n >= DATE_TEXT_SIZE) return 0;
    std::memcpy(buffer, text, n + 1);
    return n;
}

const char* HebrewMonthName(int32_t month, bool leap)
{
    if (month < 1 || month > (leap ? 13 : 12)) return "";
    return leap ? LEAP_MONTH_NAMES[month] : MONTH_NAMES[month];
}
