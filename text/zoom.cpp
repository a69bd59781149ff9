#include "text/zoom.h"

#include <iterator>

namespace {

// Whole points can step by less than a tenth only from 10 pt up.
constexpr int32_t ZOOM_LADDER[] = {6,  7,  8,  9,  10, 11, 12, 13, 14, 16, 18, 20, 22,
                               24, 26, 28, 32, 36, 40, 44, 48, 54, 60, 66, 72};

}  // namespace

int32_t ZoomedSize(int32_t size, int direction)
{
    if (size == 0) size = ZOOM_UNSET_POINTS;
    // A size the Font dialog put beyond the range is not pulled back by a step the other way.
    if (direction > 0) {
        if (size >= ZOOM_MAX_POINTS) return size;
        for (int32_t step : ZOOM_LADDER)
            if (step > size) return step;
        return size;
    }
    if (direction < 0) {
        if (size <= ZOOM_MIN_POINTS) return size;
        for (auto it = std::rbegin(ZOOM_LADDER); it != std::rend(ZOOM_LADDER); ++it)
            if (*it < size) return *it;
        return size;
    }
    return size;
}

bool IsKeepableSize(int32_t size)
{
    return size >= 0 && size <= 999;
}
