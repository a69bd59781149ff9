// The letter code against Unicode: 0x61..0x7B are the 27 Hebrew letters
// U+05D0..U+05EA (final forms in their Unicode places), 0x7E stands for "{",
// every other byte for the code point of the same value.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

constexpr uint8_t LETTER_CODE_FIRST = 0x61;
constexpr uint8_t LETTER_CODE_LAST = 0x7B;
constexpr uint8_t LETTER_CODE_BRACE = 0x7E;

// One letter-code byte as a display character: the letters from base on
// (0x5D0 Unicode, 224 code page 1255, 97 Latin), the brace code as "{",
// every other byte as itself.
char16_t DisplayChar(uint8_t byte, int32_t base);

// The code point a letter-code byte stands for (0 for 0).
char32_t CodePointOfLetterCode(uint8_t byte);

// The letter-code byte for a code point, or -1 when the code cannot hold it
// (Latin letters, "~", anything above U+00FF but the Hebrew letters, U+0000).
int LetterCodeOfCodePoint(char32_t codePoint);

// Letter-code bytes (up to a zero byte or the end) as UTF-8.
std::string LetterCodeToUtf8(std::span<const uint8_t> bytes);
std::string LetterCodeToUtf8(std::string_view bytes);

// One code point from the front of utf8 (length gets its byte count), or
// -1 for a malformed sequence (stray continuation, truncation, overlong
// form, surrogate).
long DecodeUtf8(std::string_view utf8, size_t& length);

// UTF-8 text as letter code. False (out holding what was converted so far)
// on malformed UTF-8 or a character the code cannot hold; badAt then gets the
// byte offset of the offending sequence.
bool Utf8ToLetterCode(std::string_view utf8, std::string& out, size_t* badAt = nullptr);

// Turns letter-code text between visual (left-to-right) and reading order:
// reverses it, swaps the bracket pairs and keeps each run of digits in its
// own order. Doing it twice gives the text back.
void FlipReadingOrder(std::span<uint8_t> text);
void FlipReadingOrder(std::string& text);
// The same for n display characters ('{' and '}' as themselves).
void FlipReadingOrder16(char16_t* text, int n);

// Letter code kept in drawing order (left to right) as Unicode text in
// reading order, as a screen reader reads it.
std::u16string ReadingUnicode(std::string_view drawn);

// A bracket's partner: ( ) [ ] { } swapped, anything else as itself.
char16_t MirrorChar(char16_t c);
