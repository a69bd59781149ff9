// The wildcard matcher behind the search: works in place on letter-code
// bytes, scanning each record from its higher offsets down.
#pragma once
#include <cstdint>

constexpr uint8_t PATTERN_GAP = '*';   // a gap of any length
constexpr uint8_t PATTERN_ANY = '?';   // any one character

// Edit-box text (display order, at most SEARCH_PATTERN_MAX characters used)
// to a zero-ended letter-code pattern of at most SEARCH_PATTERN_MAX bytes.
// Letters at letterBase..letterBase+26 become 0x61..0x7B, a run of spaces
// becomes one space, everything else keeps its low 8 bits.
void ConvertSearchTextTo(const char16_t* text, int32_t letterBase, uint8_t* pattern);
// The same into g_settings.SearchString with the stored letter base.
void ConvertSearchText(const char16_t* text);

// Last character of the match nearest below `from` (and at or above `lower`)
// of the zero-ended pattern, or nullptr. Writes the match length on a hit.
const uint8_t* MatchBackward(const uint8_t* lower, const uint8_t* pattern, const uint8_t* from,
                             uint16_t* length);

// Offset of the last character of the first match at or below `start` in the
// record holding it, then in each later record from its end; 0 for none.
// The program passes g_settings.SearchString as the pattern.
uint16_t FindInText(const uint8_t* text, uint16_t start, const uint8_t* pattern, uint16_t* length);
