#include "fonts/font_choice.h"

#include "text/edit_direction.h"

namespace {

constexpr int32_t SIZE_TABLE[SIZE_TABLE_COUNT] = {10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 32, 52, 72};

}  // namespace

void SampleAlphabet(int32_t letterBase, char16_t* out)
{
    bool reading = BoxInReadingOrder(letterBase);
    for (int i = 0; i < SAMPLE_LETTERS; ++i)
        out[i] = static_cast<char16_t>(letterBase + (reading ? i : SAMPLE_LETTERS - 1 - i));
    out[SAMPLE_LETTERS] = 0;
}

int SizeList(int32_t stored, int32_t* sizes)
{
    int n = 0;
    bool placed = stored == 0;
    for (int32_t size : SIZE_TABLE) {
        if (!placed && stored < size) {
            sizes[n++] = stored;
            placed = true;
        }
        if (size == stored) placed = true;
        sizes[n++] = size;
    }
    return n;
}
