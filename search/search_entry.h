// The search box's Hebrew keyboard as data and arithmetic: Latin keys to
// letters, the alphabet picture's keys, and the box's text to and from the
// stored pattern. Portable; search_dialog.cpp drives the edit control.
#pragma once
#include <cstdint>
#include "text/edit_direction.h"
#include "text/letter_code.h"

constexpr int KEY_TABLE_SIZE = 31;
constexpr int PICTURE_KEYS = 27;
constexpr int PICTURE_WIDTH = 154;
constexpr int PICTURE_HEIGHT = 95;
constexpr int PICTURE_KEY_WIDTH = 17;
constexpr int PICTURE_KEY_HEIGHT = 25;
constexpr int PICTURE_KEYS_PER_ROW = 9;
constexpr int PICTURE_SPACE_KEY = 0;
constexpr int PICTURE_NO_KEY = -1;


// The character a typed key puts in the box, or 0 when the edit control
// should take the key itself (digits and control characters).
char16_t TranslateKey(char16_t typed, int32_t letterBase);

// Key index 0..27 under a point of the picture (0 the space bar), or
// PICTURE_NO_KEY.
int PictureKeyAt(int x, int y);
// The character of a picture key (index 0..27), or 0 for none.
char16_t PictureKeyChar(int key, int32_t letterBase);
// Where a picture key lies in the picture's own grid, right and bottom
// excluded; false for no key.
struct PictureBox {
    int left, top, right, bottom;
};
bool PictureKeyBox(int key, PictureBox* box);


// The stored pattern as the box shows it (zero-ended, at most 33 characters
// and the zero): display order, or reading order with a Unicode base.
void PatternToBoxText(const uint8_t* pattern, int32_t letterBase, char16_t* out);
// The box's text into the stored pattern (text is changed on the way).
void BoxTextToPattern(char16_t* text, int32_t letterBase, uint8_t* pattern);
