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

namespace {

void Put16(std::vector<uint8_t>& b, uint32_t v)
{
    b.push_back(v & 0xFF);
    b.push_back(v >> 8 & 0xFF);
}

void Put32(std::vector<uint8_t>& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

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

std::vector<uint8_t> Bitmap(const std::vector<std::string>& rows)
{
    uint32_t width = static_cast<uint32_t>(rows[0].size());
    uint32_t height = static_cast<uint32_t>(rows.size());
    uint32_t stride = (width + 31) / 32 * 4;
    uint32_t bitsOffset = 14 + 40 + 2 * 4;
    std::vector<uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    Put32(b, bitsOffset + stride * height);
    Put32(b, 0);
    Put32(b, bitsOffset);
    Put32(b, 40);
    Put32(b, width);
    Put32(b, height);
    Put16(b, 1);
    Put16(b, 1);
    Put32(b, 0);                 // BI_RGB
    Put32(b, stride * height);
    Put32(b, 2835);              // 72 dpi
    Put32(b, 2835);
    Put32(b, 2);
    Put32(b, 2);
    Put32(b, 0x000000);          // ink
    Put32(b, 0xFFFFFF);          // paper
    for (uint32_t y = height; y-- > 0;) {
        std::vector<uint8_t> row(stride, 0);
        for (uint32_t x = 0; x < width; ++x)
            if (rows[y][x] != 'k') row[x / 8] |= 0x80 >> (x % 8);
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
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
    std::vector<uint8_t> bmp = Bitmap(rows);
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
    return out ? 0 : 1;
}
