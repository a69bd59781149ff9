// Lesson text bytes: the record layout's constants and the letter code's
// mapping to display characters. Portable.
#pragma once
#include <cstdint>
#include "text/letter_code.h"

// Style byte of a record.
constexpr uint8_t STYLE_KIND_MASK = 0x07;
constexpr uint8_t STYLE_RULE = 0x07;          // kind 7: a horizontal rule
constexpr uint8_t STYLE_SMALL = 0x02;
constexpr uint8_t STYLE_LARGE = 0x04;
constexpr uint8_t STYLE_BOLD = 0x08;
constexpr uint8_t STYLE_BLUE = 0x0C;          // large and bold together
constexpr uint8_t STYLE_REVERSED = 0x10;      // characters stored last-first
constexpr uint8_t STYLE_FONT_KEY = 0x1F;
constexpr uint8_t STYLE_ALIGN_MASK = 0x60;
constexpr uint8_t STYLE_ALIGN_RIGHT = 0x20;
constexpr uint8_t STYLE_ALIGN_CENTER = 0x40;
constexpr uint8_t STYLE_SPACER = 0x80;        // a blank row follows the last line
constexpr uint8_t STYLE_HEADING = 0xDC;
constexpr uint8_t STYLE_SUBHEADING = 0xD1;

// Parameter byte of a text record.
constexpr uint8_t PARAM_INDENT_MASK = 0x3F;
constexpr int PARAM_LABEL_SHIFT = 6;
// Parameter byte of a rule: 1..160 pixels, above that 2 % steps of the width.
constexpr uint8_t RULE_PIXELS_MAX = 160;

// Letter bases: the display code of letter code 0x61.
constexpr int32_t LETTER_BASE_LATIN = 97;     // fonts with Hebrew at the Latin letters
constexpr int32_t LETTER_BASE_CP1255 = 224;
constexpr int32_t LETTER_BASE_UNICODE = 0x5D0;

// The one process-wide conversion result; valid until the next conversion.
struct ConversionBuffer {
    char16_t* chars;
    int capacity;   // characters, not counting the terminator
};
extern ConversionBuffer g_conversionBuffer;

// Converts up to count bytes (stopping at a zero byte) to a zero-terminated
// display string, by g_settings.FontAsciiBase and the Reverse bit of
// g_settings.Flags. With buffer null the result is malloc'ed for the caller
// to free; otherwise it lives in the buffer. Returns null without memory.
char16_t* MapToDisplay(const uint8_t* bytes, ConversionBuffer* buffer, int count);

// Reverses the first n characters in place, swapping each bracket for its
// partner. Returns 0 (1 is kept for callers that test for no memory).
int MirrorReverse(char16_t* chars, int n);

// Frees the shared buffer (end of the run, tests).
void ReleaseConversionBuffer();
