#include "tools/content_compiler/hebrew_numeral.h"

#include "tools/content_compiler/letter_text.h"

namespace {

constexpr char16_t UNITS[] = u"אבגדהוזחט";
constexpr char16_t TENS[] = u"יכלמנסעפצ";
constexpr char16_t HUNDREDS[] = u"קרשת";

}  // namespace

std::string HebrewNumeral(int n)
{
    std::string out;
    if (n < 1 || n > 999) return out;
    int hundreds = n / 100;
    for (; hundreds >= 4; hundreds -= 4) out += Letter(HUNDREDS[3]);
    if (hundreds > 0) out += Letter(HUNDREDS[hundreds - 1]);
    int rest = n % 100;
    // 15 and 16 as 9+6 and 9+7, never spelling the divine name.
    if (rest == 15 || rest == 16) {
        out += Letter(UNITS[8]);
        out += Letter(UNITS[rest - 10]);
        return out;
    }
    if (rest >= 10) out += Letter(TENS[rest / 10 - 1]);
    if (rest % 10) out += Letter(UNITS[rest % 10 - 1]);
    return out;
}

int HebrewNumeralValue(std::string_view text)
{
    if (text.empty() || text.size() > 6) return 0;
    int value = 0;
    for (char c : text) {
        int v = 0;
        for (int i = 0; i < 9 && !v; ++i)
            if (c == Letter(UNITS[i])) v = i + 1;
        for (int i = 0; i < 9 && !v; ++i)
            if (c == Letter(TENS[i])) v = (i + 1) * 10;
        for (int i = 0; i < 4 && !v; ++i)
            if (c == Letter(HUNDREDS[i])) v = (i + 1) * 100;
        if (!v) return 0;
        value += v;
    }
    // Only the one spelling HebrewNumeral gives counts.
    return value <= 999 && HebrewNumeral(value) == text ? value : 0;
}
