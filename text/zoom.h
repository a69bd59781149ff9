// Reading sizes the zoom keys step through. Portable.
#pragma once
#include <cstdint>

constexpr int32_t ZOOM_MIN_POINTS = 6;
constexpr int32_t ZOOM_MAX_POINTS = 72;
// A stored size of 0 lets the face's own default stand; zooming starts from this.
constexpr int32_t ZOOM_UNSET_POINTS = 12;

// The next size up (direction > 0) or down (< 0) on a ladder of about a tenth
// a step, so in and out retrace each other; a size off the ladder goes to
// its nearest neighbour that way. Never steps out of 6..72, and a size
// already beyond an end stays where it is.
int32_t ZoomedSize(int32_t size, int direction);

// A stored size the zoom may return to: 0 (the face's default) or a sane
// point size; anything else is no size at all.
bool IsKeepableSize(int32_t size);
