// Which order an edit control holding Hebrew keeps its text in. Portable;
// edit_direction_win.cpp asks the platform.
#pragma once
#include <cstdint>

// Above this letter base the letters are Unicode Hebrew, which an edit
// control that runs the bidirectional algorithm lays out right to left
// itself: the box then works in reading order.
constexpr int32_t READING_ORDER_BASE_ABOVE = 256;

// Whether the platform's edit controls reorder Hebrew: 1 yes (Windows), 0 no
// (Wine's do not), -1 not yet asked, taken as yes. The Windows side asks once
// (EditReordersHebrew); a box that would be shown backwards keeps display order.
inline int g_editReordersHebrew = -1;

inline bool BoxInReadingOrder(int32_t letterBase)
{
    return letterBase > READING_ORDER_BASE_ABOVE && g_editReordersHebrew != 0;
}
