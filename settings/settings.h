// The persistent settings record and its option word. Portable: the registry
// code that fills it lives beside it in settings_store_win.cpp.
#pragma once
#include <cstdint>
#include "base/date_rec.h"

constexpr uint32_t FLAG_PIN = 0x4;
constexpr uint32_t FLAG_DAY_CHANGED = 0x8;
constexpr uint32_t FLAG_DAY_UNCHANGED = 0x10;
constexpr uint32_t FLAG_SCROLLBAR_RIGHT = 0x40;
constexpr uint32_t FLAG_SCROLLBAR_LEFT = 0x80;
constexpr uint32_t FLAG_REVERSE = 0x800;
constexpr uint32_t FLAG_KEY_PAGE_MASK = 0x700000;
constexpr int FLAG_KEY_PAGE_SHIFT = 20;
constexpr uint32_t FLAG_CLICK_PAGE_MASK = 0x7000000;
constexpr int FLAG_CLICK_PAGE_SHIFT = 24;
constexpr uint32_t FLAG_CLICK_SPLIT = 0x10000000;
constexpr uint32_t FLAG_CLICK_PAGING = 0x80000000;
constexpr uint32_t DEFAULT_FLAGS = 0xD1140040;
constexpr int32_t DEFAULT_ASCII_BASE = 1488;

// The two daily tracks: three chapters a day (lessons) or one (portions).
constexpr int32_t TRACK_THREE = 3;
constexpr int32_t TRACK_ONE = 1;

constexpr int SEARCH_PATTERN_MAX = 33;
constexpr int DATE_TEXT_SIZE = 20;

// The first three fields are the FontBlock: the font dialog edits them in
// place and views copy them, so their order and widths are fixed.
struct FontBlock {
    char16_t FontName[32];
    int32_t FontSize;
    int32_t FontAsciiBase;
};

struct Settings {
    char16_t FontName[32];
    int32_t FontSize;
    int32_t FontAsciiBase;
    uint16_t LastPosition;
    uint32_t Flags;
    uint16_t Lesson;
    int32_t Day;
    DateRec date;                       // Hebrew date of Day, derived
    uint8_t dateText[DATE_TEXT_SIZE];   // letter code, derived from date
    int32_t dateTextLength;
    uint8_t SearchString[SEARCH_PATTERN_MAX + 1];
    int32_t Track;                      // 1: one chapter a day; anything else: three
    uint16_t Portion;                   // the one-chapter track's place of Day, derived
    uint32_t SearchOptions;             // the search dialog's choices; bits the search does not know are kept
    bool searchOptionsStored;           // read as a DWORD, so written back even when 0
};

inline FontBlock* FontBlockOf(Settings* s) { return reinterpret_cast<FontBlock*>(s); }

// The settings part of the program state, zero until LoadSettings fills it.
// Portable so the schedule, search and export code can use it natively.
extern Settings g_settings;

// Track as it acts: the one-chapter track only when it is 1.
inline bool OnTrackOne()
{
    return g_settings.Track == TRACK_ONE;
}
