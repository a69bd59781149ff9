// Draws the search dialog's alphabet picture: 27 letter keys, 17 x 25
// pixels each, nine to a row from right to left, and the space bar strip
// below them, as a 154 x 95 one-bit bitmap.
//
//   alphabet_art GLYPHS.txt OUT.bmp
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "search/search_entry.h"

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

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// Ink is palette entry 0 (black), paper entry 1 (white): a static control
// draws a one-bit picture in its text and background colours.
std::vector<uint8_t> OneBitBmp(const Canvas& canvas)
{
    const uint32_t stride = ((PICTURE_WIDTH + 31) / 32) * 4;
    const uint32_t pixels = stride * PICTURE_HEIGHT;
    const uint32_t offset = 14 + 40 + 8;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + pixels);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, PICTURE_WIDTH);
    Put32(out, PICTURE_HEIGHT);
    Put16(out, 1);
    Put16(out, 1);
    Put32(out, 0);
    Put32(out, pixels);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 2);
    Put32(out, 2);
    Put32(out, 0x00000000);
    Put32(out, 0x00FFFFFF);
    for (int y = PICTURE_HEIGHT - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0xFF);
        for (int x = 0; x < PICTURE_WIDTH; ++x)
            if (canvas.ink[y * PICTURE_WIDTH + x]) row[x / 8] &= uint8_t(~(0x80 >> (x % 8)));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<Glyph> glyphs;
    if (argc != 3 || !ReadGlyphs(argv[1], &glyphs)) {
        std::fprintf(stderr, "alphabet_art: expected GLYPHS.txt with %d letters of %d x up to %d, and OUT.bmp\n",
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

    std::vector<uint8_t> bmp = OneBitBmp(canvas);
    std::FILE* f = std::fopen(argv[2], "wb");
    if (!f || std::fwrite(bmp.data(), 1, bmp.size(), f) != bmp.size()) {
        std::fprintf(stderr, "alphabet_art: cannot write %s\n", argv[2]);
        if (f) std::fclose(f);
        return 1;
    }
    std::fclose(f);
    return 0;
}
