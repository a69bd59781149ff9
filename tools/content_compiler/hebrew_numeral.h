// Hebrew numerals the way readers number chapters and paragraphs.
#pragma once

#include <string>
#include <string_view>

// n = 1..999 in letter code, reading order: hundreds, tens, units, with 15
// and 16 written 9+6 and 9+7 as is customary. Empty outside that range.
std::string HebrewNumeral(int n);

// The value of a numeral written by HebrewNumeral, or 0 when text is not one.
int HebrewNumeralValue(std::string_view text);
