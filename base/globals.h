// The program's one block of state, zeroed at entry (ResetProgramState in
// app/lifetime.h).
// The settings record lives beside its portable users in settings/settings.h.
#pragma once
#include <windows.h>
#include <cstdint>

struct TextView;

// A box in client coordinates: the date band keeps its size this way.
struct BandBox {
    int left;
    int top;
    int width;
    int height;
};

struct ProgramState {
    HINSTANCE instance;
    HWND mainWindow;
    HWND toolbar;
    HBITMAP toolbarStrip;             // the toolbar's images at the screen's size
    HACCEL accelerators;
    int32_t SurroundingGutter;        // margin around the text box, pixels
    TextView* mainView;
    BandBox dateBand;
    HFONT dateBandFont;
    int32_t bandCutDay;               // the day whose date text was cut to the band
    int32_t bandCutLength;            // characters of that text that fit; -1 once another day is shown
    int chooserWidth;                 // outer window size less gutters, for the chooser
    int chooserHeight;
    HBITMAP chooserBitmaps[3];        // resources 201..203
    bool settingsLoaded;              // LoadSettings ran to its end: only then are settings written back
    bool bookmarksLoaded;             // the stored bookmark list was taken in whole
    bool shutDown;                    // ShutDown has run; it runs once
    int dpi;                          // the system's, read at start-up
    int32_t chosenSize;               // the Font dialog's size, Ctrl+0's target
    bool chosenSizeKnown;             // chosenSize read or set
    int zoomWheel;                    // Ctrl+wheel delta short of a notch
    int32_t colours;                  // the stored Colours choice, as read
    // The main view's selection as reading boundaries [selectStart, selectEnd)
    // (text/selection.h), empty when equal; the anchor is where it began.
    uint16_t selectAnchor;
    uint16_t selectStart;
    uint16_t selectEnd;
    const uint8_t* selectText;        // the text they count in; another text voids them
    bool dragging;                    // left button down in the view
    bool dragged;                     // and moved past the drag distance
    POINT dragFrom;
};

extern ProgramState g_state;
