// The section chooser's tree: captions broken into lines right to left,
// entries opened, closed and revealed, clicks and scrolling. Portable;
// measuring goes through IndexMeasure so the arithmetic runs without a device.
#pragma once
#include <cstdint>
#include "index/index_text.h"
#include "settings/settings.h"

constexpr int INDEX_INDENT = 13;                // pixels per level, at 96 DPI
constexpr int INDEX_ICON_SIZE = 9;              // the tree icons' side, at 96 DPI
constexpr int INDEX_ICON_GAP = 4;               // between a caption and its icon
constexpr int INDEX_FIRST_CAPACITY = 100;
constexpr int INDEX_GROWTH = 128;

struct IndexLine {
    uint16_t offset;    // first byte in the index text, stored order
    uint16_t length;
    int16_t x;          // left edge of the caption
    uint16_t width;
    uint16_t height;
    uint16_t key;
    uint8_t flags;      // visible and open bits change as the tree opens
    uint16_t indent;    // pixels from the right edge
};

struct IndexMeasure {
    void* context;
    // Selects the font of a style code for measuring; gives its character height.
    int (*selectFont)(void* context, uint16_t style);
    // MeasureFit: width and count are limits on the way in, what fits on the way out.
    void (*measureFit)(void* context, const uint8_t* bytes, int* width, int* count);
};

struct IndexView {
    IndexLine* lines;       // lineCount lines and an all-zero one
    uint32_t capacity;
    uint32_t lineCount;
    void* dc;               // the dialog's device context
    uint8_t* text;          // owned
    FontBlock font;
    int left, top, width, height;
    uint16_t topLine;       // in visible lines
    uint16_t visibleLines;
    uint16_t maxTop;
    uint16_t drawnLines;    // by the last paint
    void* fontCache;        // the Win32 side's
    int indentStep;         // pixels per level, also the icon and its gap right of a caption
};

// Where the chooser's view, lines, caption copies and open-state snapshots
// come from: malloc here, the aborting allocator in the program.
extern void* (*g_indexAllocate)(size_t size);

// A view over text (taken over, freed also on failure) for the box; null
// without memory.
IndexView* NewIndexView(uint8_t* text, const FontBlock* font, int width, int height);
void FreeIndexView(IndexView* view);

// 0; 1 when the text's first record is empty (the lines stay as they were);
// -2 without memory.
int LayoutIndex(IndexView* view, const IndexMeasure* measure);
void ComputeMaxTop(IndexView* view);
void RevealLesson(IndexView* view, int lesson);
// Opens or closes the entry of a line; gives a negative value.
int ToggleBranch(IndexView* view, uint32_t line);
// A lesson (> 0), 0 for nothing, negative when the tree changed or the
// click fell below the lines.
int HitTestIndex(IndexView* view, int x, int y);

// The top line back in range, then the first line the page starts from.
uint32_t FirstPageLine(IndexView* view);
// 1 when the top line moved.
int MoveTopLine(IndexView* view, int delta);

struct IndexOpenState {
    uint16_t key;
    uint8_t open;
};
// Key and open bit of each visible entry, ended by key 0; null without memory.
IndexOpenState* SnapshotOpenState(const IndexView* view);
void RestoreOpenState(IndexView* view, const IndexOpenState* state);
