// Turns a text pixel map into a one-bit-per-pixel bitmap file:
//
//   mono_bitmap OUT.bmp MAP
//
// Rows of 'k' (ink) and any other letter (paper), all of one width; lines
// starting with '#' are comments. Ink is palette entry 0, black.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tools/bitmap_file.h"

namespace {

bool ReadMap(const char* path, std::vector<std::string>& rows)
{
    std::ifstream in(path);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (!rows.empty() && line.size() != rows[0].size()) return false;
        rows.push_back(line);
    }
    return !rows.empty();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: mono_bitmap OUT.bmp MAP\n");
        return 2;
    }
    std::vector<std::string> rows;
    if (!ReadMap(argv[2], rows)) {
        std::fprintf(stderr, "mono_bitmap: %s is not a pixel map of equal rows\n", argv[2]);
        return 1;
    }
    int width = static_cast<int>(rows[0].size());
    int height = static_cast<int>(rows.size());
    return WriteFile(argv[1], OneBitBmp(width, height, [&](int x, int y) { return rows[y][x] == 'k'; })) ? 0 : 1;
}
