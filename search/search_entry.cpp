#include "search/search_entry.h"

#include <algorithm>
#include "search/matcher.h"
#include "settings/settings.h"
#include "text/letter_code.h"

namespace {

constexpr char16_t KEYS[KEY_TABLE_SIZE + 1] = u"abcdefghijklmnopqrstuvwxyz;.,/'";
// Windows-1255: 0xE0..0xFA are the letters.
constexpr uint8_t KEY_BYTES[KEY_TABLE_SIZE] = {
    0xF9, 0xF0, 0xE1, 0xE2, 0xF7, 0xEB, 0xF2, 0xE9, 0xEF, 0xE7, 0xEC, 0xEA, 0xF6, 0xEE, 0xED, 0xF4,
    0x2F, 0xF8, 0xE3, 0xE0, 0xE5, 0xE4, 0x27, 0xF1, 0xE8, 0xE6, 0xF3, 0xF5, 0xFA, 0x2E, 0x2C,
};
constexpr uint8_t CP1255_FIRST_LETTER = 0xE0;
constexpr uint8_t CP1255_LAST_LETTER = 0xFA;

// The letters in the order the picture shows them: code order with five
// neighbouring pairs exchanged.
constexpr auto PICTURE_LETTERS = [] {
    struct Table {
        uint8_t code[PICTURE_KEYS];
    } t{};
    for (int i = 0; i < PICTURE_KEYS; ++i) t.code[i] = static_cast<uint8_t>(0x61 + i);
    constexpr int swaps[][2] = {{10, 11}, {13, 14}, {15, 16}, {19, 20}, {21, 22}};
    for (const auto& s : swaps) std::swap(t.code[s[0]], t.code[s[1]]);
    return t;
}();

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

int Length(const char16_t* s)
{
    int n = 0;
    while (s[n]) ++n;
    return n;
}

}  // namespace

char16_t TranslateKey(char16_t typed, int32_t letterBase)
{
    if (IsDigit(typed) || typed < 0x20) return 0;
    char16_t c = typed >= u'A' && typed <= u'Z' ? static_cast<char16_t>(typed + 0x20) : typed;
    for (int i = 0; i < KEY_TABLE_SIZE; ++i) {
        if (KEYS[i] != c) continue;
        uint8_t b = KEY_BYTES[i];
        if (b >= CP1255_FIRST_LETTER && b <= CP1255_LAST_LETTER)
            return static_cast<char16_t>(b - CP1255_FIRST_LETTER + letterBase);
        return b;
    }
    return typed;
}

int PictureKeyAt(int x, int y)
{
    if (x < 0 || y < 0 || x >= PICTURE_WIDTH || y >= PICTURE_HEIGHT) return PICTURE_NO_KEY;
    int row = y / PICTURE_KEY_HEIGHT;
    int column = x / PICTURE_KEY_WIDTH;
    // The picture's last pixel column is past the ninth key: no key there,
    // not the row above's first.
    if (row < 3) return column < PICTURE_KEYS_PER_ROW ? PICTURE_KEYS_PER_ROW * (row + 1) - column : PICTURE_NO_KEY;
    return column >= 2 && column <= 6 ? PICTURE_SPACE_KEY : PICTURE_NO_KEY;
}

char16_t PictureKeyChar(int key, int32_t letterBase)
{
    if (key < 0 || key > PICTURE_KEYS) return 0;
    if (key == PICTURE_SPACE_KEY) return u' ';
    return static_cast<char16_t>(PICTURE_LETTERS.code[key - 1] - 0x61 + letterBase);
}

bool PictureKeyBox(int key, PictureBox* box)
{
    if (key < 0 || key > PICTURE_KEYS) return false;
    if (key == PICTURE_SPACE_KEY) {
        *box = {2 * PICTURE_KEY_WIDTH, 3 * PICTURE_KEY_HEIGHT, 7 * PICTURE_KEY_WIDTH, PICTURE_HEIGHT};
        return true;
    }
    int row = (key - 1) / PICTURE_KEYS_PER_ROW;
    int column = PICTURE_KEYS_PER_ROW * (row + 1) - key;
    *box = {column * PICTURE_KEY_WIDTH, row * PICTURE_KEY_HEIGHT, (column + 1) * PICTURE_KEY_WIDTH,
            (row + 1) * PICTURE_KEY_HEIGHT};
    return true;
}

void PatternToBoxText(const uint8_t* pattern, int32_t letterBase, char16_t* out)
{
    // Letters by the base, the rest as themselves; the Reverse mode is for
    // drawn runs, not for a box whose text goes back into the pattern.
    int n = 0;
    for (; n < SEARCH_PATTERN_MAX && pattern[n]; ++n) out[n] = DisplayChar(pattern[n], letterBase);
    out[n] = 0;
    if (BoxInReadingOrder(letterBase)) FlipReadingOrder16(out, n);
}

void BoxTextToPattern(char16_t* text, int32_t letterBase, uint8_t* pattern)
{
    if (BoxInReadingOrder(letterBase)) FlipReadingOrder16(text, std::min(Length(text), SEARCH_PATTERN_MAX));
    ConvertSearchTextTo(text, letterBase, pattern);
}
