// The two headings a lesson opens with, as the search's hit banner shows
// them. Portable.
#pragma once
#include <cstdint>

struct Heading {
    int length;
    int width;            // filled in by whoever measures it
    const uint8_t* text;  // stored order; null when there is none
};

// The first record when its style is the heading style, and the record
// after it (or the first) when that has the subheading style.
void GetLessonHeadings(const uint8_t* text, Heading* first, Heading* second);
