// Turns a text pixel map into a one-bit-per-pixel bitmap file:
//
//   mono_bitmap OUT.bmp MAP
//
// Rows of 'k' (ink) and any other letter (paper), all of one width; lines
// starting with '#' are comments. Ink is palette entry 0, black.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/bitmap_file.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: mono_bitmap OUT.bmp MAP\n");
        return 2;
    }
    std::vector<std::string> rows;
    std::string error;
    if (!ReadPixelMap(argv[2], &rows, &error)) {
        std::fprintf(stderr, "mono_bitmap: %s\n", error.c_str());
        return 1;
    }
    int width = static_cast<int>(rows[0].size());
    int height = static_cast<int>(rows.size());
    return WriteFile(argv[1], OneBitBmp(width, height, [&](int x, int y) { return rows[y][x] == 'k'; })) ? 0 : 1;
}
