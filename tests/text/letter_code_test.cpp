#include <gtest/gtest.h>

#include <string>

#include "text/letter_code.h"

namespace {

TEST(LetterCode, BytesAndCodePoints)
{
    EXPECT_EQ(CodePointOfLetterCode(0x61), U'\u05D0');
    EXPECT_EQ(CodePointOfLetterCode(0x7B), U'\u05EA');  // the 27th letter, not a brace
    EXPECT_EQ(CodePointOfLetterCode(0x7E), U'{');
    EXPECT_EQ(CodePointOfLetterCode(0x7C), U'|');
    EXPECT_EQ(CodePointOfLetterCode(0x7D), U'}');
    EXPECT_EQ(CodePointOfLetterCode(0xE9), U'\u00E9');

    for (int b = 1; b <= 0xFF; ++b)
        EXPECT_EQ(LetterCodeOfCodePoint(CodePointOfLetterCode(static_cast<uint8_t>(b))), b) << b;
    for (char32_t c : {U'a', U'z', U'~', U'\0', U'\u05CF', U'\u05EB', U'\u0100', U'\u05BC', U'\U0001F600'})
        EXPECT_EQ(LetterCodeOfCodePoint(c), -1) << static_cast<uint32_t>(c);
}

TEST(LetterCode, Utf8BothWays)
{
    const std::string hebrew = "שלום, (עולם) {1} [ב]: 12-3";
    std::string code;
    ASSERT_TRUE(Utf8ToLetterCode(hebrew, code));
    EXPECT_EQ(code, "zmfn, (sfmn) ~1} [b]: 12-3");
    EXPECT_EQ(LetterCodeToUtf8(code), hebrew);
    EXPECT_EQ(LetterCodeToUtf8(std::string_view("ab\0cd", 5)), "אב");
    EXPECT_EQ(LetterCodeToUtf8(std::string("\xE9", 1)), "\u00E9");

    struct { std::string text; size_t at; } bad[] = {
        {"אבc", 4},              // a Latin letter has no place in the code
        {"א\x80", 2},            // stray continuation byte
        {"א\xD7", 2},            // truncated sequence
        {"\xC0\x80", 0},         // overlong zero
        {"\xED\xA0\x80", 0},     // surrogate
        {"א\xF4\x90\x80\x80", 2},  // beyond U+10FFFF
    };
    for (auto& b : bad) {
        std::string out;
        size_t at = 99;
        EXPECT_FALSE(Utf8ToLetterCode(b.text, out, &at)) << b.text;
        EXPECT_EQ(at, b.at) << b.text;
    }
}

TEST(LetterCode, FlipBetweenVisualAndReadingOrder)
{
    std::string s = "ab (cd) [e] ~f} 123 g45";
    FlipReadingOrder(s);
    EXPECT_EQ(s, "45g 123 ~f} [e] (dc) ba");
    FlipReadingOrder(s);
    EXPECT_EQ(s, "ab (cd) [e] ~f} 123 g45");

    std::string empty;
    FlipReadingOrder(empty);
    EXPECT_EQ(empty, "");
    std::string digits = "2007";
    FlipReadingOrder(digits);
    EXPECT_EQ(digits, "2007");
}

}  // namespace
