#include "text/colours.h"

#include <cmath>

namespace {

// The page as it always was: black on white, headings blue, hits blue on
// yellow, a light grey band, the banner red-white-blue around yellow.
constexpr ColourSet PAPER_SET = {
    Rgb(255, 255, 255), Rgb(0, 0, 0),       Rgb(0, 0, 255),
    Rgb(0, 0, 255),     Rgb(255, 255, 0),   Rgb(192, 192, 192), Rgb(0, 0, 0),
    {Rgb(255, 0, 0), Rgb(255, 255, 255), Rgb(0, 0, 255)},       Rgb(255, 255, 0), Rgb(255, 0, 0),
};

// Dark brown on warm cream; headings a deeper red-brown.
constexpr ColourSet SEPIA_SET = {
    Rgb(246, 238, 219), Rgb(59, 42, 26),    Rgb(122, 48, 18),
    Rgb(59, 42, 26),    Rgb(232, 178, 52),  Rgb(228, 214, 184), Rgb(59, 42, 26),
    {Rgb(122, 48, 18), Rgb(246, 238, 219), Rgb(59, 42, 26)},    Rgb(243, 222, 160), Rgb(122, 48, 18),
};

// Light grey on near-black, headings light blue; a hit stays a yellow mark.
constexpr ColourSet NIGHT_SET = {
    Rgb(18, 18, 20),    Rgb(214, 214, 214), Rgb(138, 180, 248),
    Rgb(0, 0, 0),       Rgb(240, 200, 60),  Rgb(44, 44, 48),    Rgb(214, 214, 214),
    {Rgb(224, 108, 117), Rgb(18, 18, 20), Rgb(138, 180, 248)},  Rgb(44, 44, 48),   Rgb(240, 200, 60),
};

double Linear(uint32_t channel)
{
    double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(uint32_t colour)
{
    return 0.2126 * Linear(colour & 0xFF) + 0.7152 * Linear(colour >> 8 & 0xFF) + 0.0722 * Linear(colour >> 16 & 0xFF);
}

}  // namespace

const ColourSet& ColourSetOf(int32_t choice)
{
    switch (choice) {
    case COLOURS_SEPIA: return SEPIA_SET;
    case COLOURS_NIGHT: return NIGHT_SET;
    default: return PAPER_SET;
    }
}

double ContrastRatio(uint32_t a, uint32_t b)
{
    double la = Luminance(a), lb = Luminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}
