// The compiler's side of the letter code: corpus lines (UTF-8) into letter
// code, fixed words written in the source, and the flip into display order.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// One line of corpus text as letter code in reading order. Vowel points and
// cantillation are dropped; the maqaf becomes a hyphen, geresh and gershayim
// their ASCII look-alikes. False on malformed UTF-8 or a character the code
// cannot hold; *badAt then gets the byte offset and *badChar the code point
// (or -1 for malformed UTF-8). Surrounding spaces are trimmed.
bool EncodeTextLine(std::string_view utf8, std::string* out, size_t* badAt, long* badChar);

// A fixed word of the program's own (Hebrew letters and ASCII only) as
// letter code in reading order.
std::string Code(std::u16string_view text);

// Reading order -> the left-to-right order the records store.
std::string DisplayOrder(std::string readingOrder);

// Letter code of one Hebrew letter, e.g. Letter(u'א') == 0x61.
constexpr char Letter(char16_t hebrew) { return static_cast<char>(0x61 + (hebrew - u'\u05D0')); }

bool StartsWith(std::string_view text, std::string_view prefix);
