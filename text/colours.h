// The reader's colour sets: Paper (the program's own colours), Sepia and
// Night, and the contrast measure they are held to. Colours are 0x00BBGGRR
// as Windows keeps them. Portable.
#pragma once
#include <cstdint>

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | g << 8 | b << 16; }

enum ColourChoice : int32_t { COLOURS_PAPER = 0, COLOURS_SEPIA = 1, COLOURS_NIGHT = 2 };

struct ColourSet {
    uint32_t page;            // the page, the client area around it
    uint32_t text;            // body text and rules
    uint32_t heading;         // large bold lines
    uint32_t highlightText;   // a search hit
    uint32_t highlightBack;
    uint32_t band;            // the date band
    uint32_t bandText;
    uint32_t bannerRings[3];  // the hit banner's frame, outside in
    uint32_t bannerBack;
    uint32_t bannerText;
};

// The set for a stored choice; anything but 1 and 2 is Paper.
const ColourSet& ColourSetOf(int32_t choice);

// The contrast ratio of two colours, 1 to 21 (relative luminance, sRGB).
double ContrastRatio(uint32_t a, uint32_t b);
