// Turns the text pixel maps under resources/art into the bitmaps and icon
// the resource script includes.
//
//   make_art bmp OUT.bmp MAP...   maps side by side, 8-bit with a palette
//   make_art ico OUT.ico MAP...   one 32-bit image per map
//   make_art bmp OUT.bmp --scale N MAP...   each map grown N times (2, 3)
//
// A map is rows of palette letters, all rows of one width; lines starting
// with '#' are comments. '-' is transparent in icons and button face grey
// in bitmaps, which the toolbar shows as its own background.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "tools/bitmap_file.h"
#include "tools/pixel_scale.h"

namespace {

struct PaletteEntry {
    char letter;
    uint8_t r, g, b;
};

// The sixteen classic colours first, so small tools keep their usual look.
constexpr PaletteEntry PALETTE[] = {
    {'k', 0x00, 0x00, 0x00}, {'r', 0x80, 0x00, 0x00}, {'e', 0x00, 0x80, 0x00}, {'y', 0x80, 0x80, 0x00},
    {'n', 0x00, 0x00, 0x80}, {'p', 0x80, 0x00, 0x80}, {'t', 0x00, 0x80, 0x80}, {'.', 0xC0, 0xC0, 0xC0},
    {'g', 0x80, 0x80, 0x80}, {'R', 0xFF, 0x00, 0x00}, {'G', 0x00, 0xFF, 0x00}, {'Y', 0xFF, 0xFF, 0x00},
    {'B', 0x00, 0x00, 0xFF}, {'M', 0xFF, 0x00, 0xFF}, {'C', 0x00, 0xFF, 0xFF}, {'w', 0xFF, 0xFF, 0xFF},
    {'o', 0xE8, 0x98, 0x20}, {'b', 0x8C, 0x5A, 0x2B}, {'l', 0xF6, 0xEE, 0xD8}, {'s', 0xA8, 0xC8, 0xF0},
    {'d', 0x40, 0x40, 0x40}, {'a', 0xE0, 0xE0, 0xE0}, {'-', 0xC0, 0xC0, 0xC0},
};
constexpr int PALETTE_SIZE = sizeof PALETTE / sizeof PALETTE[0];

struct Map {
    std::string name;
    std::vector<std::string> rows;
    int width() const { return rows.empty() ? 0 : int(rows[0].size()); }
    int height() const { return int(rows.size()); }
};

int PaletteIndex(char letter)
{
    for (int i = 0; i < PALETTE_SIZE; i++)
        if (PALETTE[i].letter == letter)
            return i;
    return -1;
}

// A pixel map whose letters are all in the palette.
bool ReadMap(const std::string& path, Map* map, std::string* error)
{
    map->name = path;
    if (!ReadPixelMap(path, &map->rows, error)) return false;
    for (size_t y = 0; y < map->rows.size(); y++)
        for (char c : map->rows[y])
            if (PaletteIndex(c) < 0) {
                *error = path + ": unknown colour '" + c + "' in row " + std::to_string(y + 1);
                return false;
            }
    return true;
}

std::vector<uint8_t> MakeBitmap(const std::vector<Map>& maps)
{
    int width = 0;
    int height = maps[0].height();
    for (const Map& m : maps)
        width += m.width();
    int stride = (width + 3) & ~3;
    std::vector<uint8_t> pixels;
    for (int y = height - 1; y >= 0; y--) {
        int x = 0;
        for (const Map& m : maps)
            for (char c : m.rows[y]) {
                pixels.push_back(uint8_t(PaletteIndex(c == '-' ? '.' : c)));
                x++;
            }
        for (; x < stride; x++)
            pixels.push_back(0);
    }
    std::vector<uint8_t> out;
    uint32_t offset = 14 + 40 + PALETTE_SIZE * 4;
    PutFileHeader(out, offset, offset + uint32_t(pixels.size()));
    PutInfoHeader(out, width, height, 8, 0, PALETTE_SIZE, 0);
    for (const PaletteEntry& p : PALETTE) {
        out.push_back(p.b);
        out.push_back(p.g);
        out.push_back(p.r);
        out.push_back(0);
    }
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

std::vector<uint8_t> IconImage(const Map& m)
{
    std::vector<uint8_t> out;
    PutInfoHeader(out, m.width(), m.height() * 2, 32, 0, 0, 0);
    for (int y = m.height() - 1; y >= 0; y--)
        for (char c : m.rows[y]) {
            const PaletteEntry& p = PALETTE[PaletteIndex(c)];
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
            out.push_back(c == '-' ? 0 : 0xFF);
        }
    int maskStride = ((m.width() + 31) / 32) * 4;
    for (int y = m.height() - 1; y >= 0; y--) {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < m.width(); x++)
            if (m.rows[y][x] == '-')
                row[x / 8] |= uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<uint8_t> MakeIcon(const std::vector<Map>& maps)
{
    std::vector<std::vector<uint8_t>> images;
    for (const Map& m : maps)
        images.push_back(IconImage(m));
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, uint16_t(maps.size()));
    uint32_t offset = 6 + 16 * uint32_t(maps.size());
    for (size_t i = 0; i < maps.size(); i++) {
        out.push_back(uint8_t(maps[i].width() & 0xFF));
        out.push_back(uint8_t(maps[i].height() & 0xFF));
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, uint32_t(images[i].size()));
        Put32(out, offset);
        offset += uint32_t(images[i].size());
    }
    for (const auto& image : images)
        out.insert(out.end(), image.begin(), image.end());
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::cerr << "usage: make_art bmp|ico OUT [--scale N] MAP...\n";
        return 2;
    }
    std::string kind = argv[1];
    int first = 3;
    int scale = 1;
    if (std::string(argv[3]) == "--scale" && argc > 5) {
        scale = std::atoi(argv[4]);
        first = 5;
        if (scale < 1 || scale > 3) {
            std::cerr << "make_art: scale must be 1, 2 or 3\n";
            return 2;
        }
    }
    std::vector<Map> maps;
    for (int i = first; i < argc; i++) {
        Map m;
        std::string error;
        if (!ReadMap(argv[i], &m, &error)) {
            std::cerr << "make_art: " << error << "\n";
            return 1;
        }
        // Each map on its own, so neighbours in a strip never bleed together.
        m.rows = ScalePixelMap(m.rows, scale);
        if (kind == "bmp" && !maps.empty() && m.height() != maps[0].height()) {
            std::cerr << "make_art: " << m.name << ": height differs from " << maps[0].name << "\n";
            return 1;
        }
        maps.push_back(m);
    }
    std::vector<uint8_t> data;
    if (kind == "bmp")
        data = MakeBitmap(maps);
    else if (kind == "ico")
        data = MakeIcon(maps);
    else {
        std::cerr << "make_art: unknown kind " << kind << "\n";
        return 2;
    }
    if (!WriteFile(argv[2], data)) {
        std::cerr << "make_art: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
