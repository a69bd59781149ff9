// The view record shared by the main window and print jobs, its line records
// and font cache, and the measuring device the layout reaches GDI through.
// Portable: device contexts and fonts are the Win32 handle types, named here
// only as incomplete structs (the same types as HDC and HFONT).
#pragma once
#include <cstddef>
#include <cstdint>
#include "settings/settings.h"

struct HDC__;
struct HFONT__;
using ViewDc = HDC__*;
using ViewFont = HFONT__*;

struct LineRecord {
    uint16_t offset;     // text offset of the line's first character
    uint16_t count;      // characters of the main text; 0 for a rule
    int16_t x;           // left edge of the main text box
    int16_t hang;        // hanging area width on a labelled first line, else 0
    int16_t boxWidth;    // measured width of the main text; rule length
    uint16_t height;     // tmHeight of the line's font
    uint8_t style;       // style byte, bit 7 only on a record's last line; 0 ends
};

struct FontCacheNode {
    FontCacheNode* next;
    ViewFont font;
    uint16_t key;        // style code & STYLE_CODE_KEY
};

// Style codes: a style byte in the low 8 bits plus these requests.
constexpr uint16_t STYLE_CODE_COLOR = 0x100;    // also set the text colour
constexpr uint16_t STYLE_CODE_SMALL_PRINT = 0x1000;  // 8 pt header/footer
constexpr uint16_t STYLE_CODE_KEY = 0x101F;

struct TextView {
    LineRecord* lines;           // ended by a record with style 0
    ViewDc dc;                   // not owned
    uint8_t* text;               // LessonText; owned by the main view only
    int rowsDrawn;
    char16_t faceName[32];       // faceName, pointSize, letterBase: a FontBlock
    int32_t pointSize;
    int32_t letterBase;
    FontCacheNode* fontCache;
    int left, top;
    int width, height;
    uint16_t firstRow;
    uint16_t rowCount;
    uint16_t lineCount;
    uint16_t lineCapacity;       // not counting the terminator slot
    uint16_t maxFirstRow;
    uint16_t highlightStart;     // [start, end) text offsets; both 0 = none
    uint16_t highlightEnd;
    LineRecord* pageStart;       // printing: draw from this line
    LineRecord* pageNext;        // first line the latest page did not draw
};

static_assert(offsetof(TextView, letterBase) - offsetof(TextView, faceName) ==
              offsetof(FontBlock, FontAsciiBase), "TextView font fields must match FontBlock");

inline FontBlock* FontBlockOf(TextView* v) { return reinterpret_cast<FontBlock*>(v->faceName); }

// What the layout needs from the device. Windows supplies GDI; the native
// build supplies a deterministic stand-in (text_device_fixed.cpp), and tests
// may install their own.
struct TextDevice {
    // SelectStyleFont: returns the object the view's dc held before.
    void* (*selectStyleFont)(TextView* view, uint16_t code);
    void (*selectObject)(ViewDc dc, void* object);
    // tmHeight and tmMaxCharWidth of the font selected in dc.
    void (*readMetrics)(ViewDc dc, int* height, int* maxCharWidth);
    // MeasureFit: width and count in = limits, out = what fits.
    void (*measureFit)(ViewDc dc, const uint8_t* bytes, int* width, int* count);
    void (*deleteFont)(ViewFont font);
};
extern const TextDevice* g_textDevice;
