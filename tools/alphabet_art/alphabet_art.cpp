// Draws the search dialog's alphabet picture: 27 letter keys, 17 x 25
// pixels each, nine to a row from right to left, and the space bar strip
// below them, as a 154 x 95 one-bit bitmap.
//
//   alphabet_art GLYPHS.txt OUT.bmp [SCALE]
//
// SCALE 2 or 3 grows the finished picture with the pixel-art scaler, for
// displays at 200 % and 300 %.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "search/search_entry.h"
#include "tools/bitmap_file.h"
#include "tools/pixel_scale.h"

namespace {

constexpr int GLYPH_WIDTH = 8;
constexpr int GLYPH_ROWS = 13;
constexpr int GLYPH_TOP = 6;   // inside a key
constexpr int LETTERS = 27;

using Glyph = std::vector<std::string>;

struct Canvas {
    std::vector<uint8_t> ink = std::vector<uint8_t>(PICTURE_WIDTH * PICTURE_HEIGHT, 0);
    void Set(int x, int y)
    {
        if (x >= 0 && y >= 0 && x < PICTURE_WIDTH && y < PICTURE_HEIGHT) ink[y * PICTURE_WIDTH + x] = 1;
    }
    // A key's outline with its corners cut, so neighbours read as keys.
    void Key(int left, int top, int width, int height)
    {
        for (int x = left + 2; x < left + width - 2; ++x) {
            Set(x, top + 1);
            Set(x, top + height - 2);
        }
        for (int y = top + 2; y < top + height - 2; ++y) {
            Set(left + 1, y);
            Set(left + width - 2, y);
        }
    }
    void Letter(const Glyph& g, int left, int top)
    {
        for (int r = 0; r < int(g.size()); ++r)
            for (int c = 0; c < int(g[r].size()); ++c)
                if (g[r][c] == '#') Set(left + c, top + r);
    }
};

bool ReadGlyphs(const char* path, std::vector<Glyph>* glyphs)
{
    std::ifstream in(path);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == ';') continue;   // '#' is ink
        if (line[0] == '=') {
            glyphs->emplace_back();
            continue;
        }
        if (glyphs->empty() || int(line.size()) != GLYPH_WIDTH || int(glyphs->back().size()) == GLYPH_ROWS)
            return false;
        glyphs->back().push_back(line);
    }
    return int(glyphs->size()) == LETTERS;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<Glyph> glyphs;
    int scale = argc == 4 ? std::atoi(argv[3]) : 1;
    if (argc < 3 || argc > 4 || scale < 1 || scale > 3 || !ReadGlyphs(argv[1], &glyphs)) {
        std::fprintf(stderr,
                     "alphabet_art: expected GLYPHS.txt with %d letters of %d x up to %d, OUT.bmp and a scale 1..3\n",
                     LETTERS, GLYPH_WIDTH, GLYPH_ROWS);
        return 2;
    }
    Canvas canvas;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < PICTURE_KEYS_PER_ROW; ++column) {
            int left = column * PICTURE_KEY_WIDTH;
            int top = row * PICTURE_KEY_HEIGHT;
            int key = PictureKeyAt(left, top);
            // The letter a key inserts with the letter base 0x61 is its code.
            int code = PictureKeyChar(key, 0x61);
            canvas.Key(left, top, PICTURE_KEY_WIDTH, PICTURE_KEY_HEIGHT);
            canvas.Letter(glyphs[code - 0x61], left + (PICTURE_KEY_WIDTH - GLYPH_WIDTH) / 2, top + GLYPH_TOP);
        }
    // The space bar: the keys of columns 2..6 on the bottom strip.
    canvas.Key(2 * PICTURE_KEY_WIDTH, 3 * PICTURE_KEY_HEIGHT, 5 * PICTURE_KEY_WIDTH,
               PICTURE_HEIGHT - 3 * PICTURE_KEY_HEIGHT);

    std::vector<std::string> rows(PICTURE_HEIGHT, std::string(PICTURE_WIDTH, 'w'));
    for (int y = 0; y < PICTURE_HEIGHT; ++y)
        for (int x = 0; x < PICTURE_WIDTH; ++x)
            if (canvas.ink[y * PICTURE_WIDTH + x]) rows[y][x] = 'k';
    rows = ScalePixelMap(rows, scale);
    auto ink = [&](int x, int y) { return rows[y][x] == 'k'; };
    if (!WriteFile(argv[2], OneBitBmp(PICTURE_WIDTH * scale, PICTURE_HEIGHT * scale, ink))) {
        std::fprintf(stderr, "alphabet_art: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
