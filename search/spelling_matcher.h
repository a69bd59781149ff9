// The search's two choices, Any spelling and Whole words, as a matcher of
// their own beside the exact one, which stays as fast as it was: with no
// choice made the search goes straight to FindInText.
//
// Any spelling: a vav or yod (or a geresh or gershayim) may be missing on
// either side, a doubled one matches a single one, a final letter matches
// its plain form, vowel points and cantillation pasted into the pattern are
// ignored, and a space (or punctuation, or a maqaf) in the pattern matches
// any run of spaces and punctuation between two words.
// Whole words: a hit starts and ends at word boundaries.
// "*" and "?" keep their meaning under both.
#pragma once
#include <cstdint>

// Bits of the stored SearchOptions value; other bits are kept, not used.
constexpr uint32_t SEARCH_ANY_SPELLING = 0x1;
constexpr uint32_t SEARCH_WHOLE_WORDS = 0x2;
constexpr uint32_t SEARCH_OPTION_BITS = SEARCH_ANY_SPELLING | SEARCH_WHOLE_WORDS;

// FindInText under the options; with neither bit set it is FindInText.
uint16_t FindInTextWith(const uint8_t* text, uint16_t start, const uint8_t* pattern, uint32_t options,
                        uint16_t* length);

// The options' matcher itself, whatever the options (so that with none it
// can be held against FindInText and MatchBackward, hit for hit).
uint16_t FindInTextByTokens(const uint8_t* text, uint16_t start, const uint8_t* pattern, uint32_t options,
                            uint16_t* length);
// As MatchBackward; the text must go on past `from` up to its zero byte.
const uint8_t* MatchBackwardByTokens(const uint8_t* lower, const uint8_t* pattern, const uint8_t* from,
                                     uint32_t options, uint16_t* length);
