// What the font dialog offers, as data: the sample alphabet for a letter
// base and the list of sizes around a stored one. Portable.
#pragma once
#include <cstdint>

constexpr int SAMPLE_LETTERS = 27;
constexpr int SIZE_TABLE_COUNT = 14;
constexpr int SIZE_LIST_MAX = SIZE_TABLE_COUNT + 1;

// The 27 letters and a zero. In display order (last letter first, so a
// left-to-right field ends with the first) for the 8-bit bases; in reading
// order for the Unicode base, which the field itself lays out right to left.
void SampleAlphabet(int32_t letterBase, char16_t* out);

// The size table with a stored size that is not in it put before the
// first larger one (not above the largest); gives the count.
int SizeList(int32_t stored, int32_t* sizes);
