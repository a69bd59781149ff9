#include "tools/bitmap_file.h"

#include <cstdio>
#include <fstream>

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

void PutFileHeader(std::vector<uint8_t>& out, uint32_t offset, uint32_t fileSize)
{
    out.push_back('B');
    out.push_back('M');
    Put32(out, fileSize);
    Put32(out, 0);
    Put32(out, offset);
}

void PutInfoHeader(std::vector<uint8_t>& out, int width, int height, int bits, uint32_t imageSize,
                   uint32_t colours, uint32_t important)
{
    Put32(out, 40);
    Put32(out, uint32_t(width));
    Put32(out, uint32_t(height));
    Put16(out, 1);
    Put16(out, uint16_t(bits));
    Put32(out, 0);           // BI_RGB
    Put32(out, imageSize);
    Put32(out, 2835);        // 72 dpi
    Put32(out, 2835);
    Put32(out, colours);
    Put32(out, important);
}

std::vector<uint8_t> OneBitBmp(int width, int height, const std::function<bool(int x, int y)>& ink)
{
    const uint32_t stride = (uint32_t(width) + 31) / 32 * 4;
    const uint32_t pixels = stride * uint32_t(height);
    const uint32_t offset = 14 + 40 + 2 * 4;
    std::vector<uint8_t> out;
    PutFileHeader(out, offset, offset + pixels);
    PutInfoHeader(out, width, height, 1, pixels, 2, 2);
    Put32(out, 0x000000);    // ink
    Put32(out, 0xFFFFFF);    // paper
    for (int y = height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < width; ++x)
            if (!ink(x, y)) row[x / 8] |= uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

bool WriteFile(const char* path, const std::vector<uint8_t>& bytes)
{
    std::FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}

bool ReadPixelMap(const std::string& path, std::vector<std::string>* rows, std::string* error)
{
    std::ifstream in(path);
    if (!in) {
        *error = path + ": cannot open";
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        number++;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (!rows->empty() && line.size() != (*rows)[0].size()) {
            *error = path + ":" + std::to_string(number) + ": row width differs";
            return false;
        }
        rows->push_back(line);
    }
    if (rows->empty()) {
        *error = path + ": no rows";
        return false;
    }
    return true;
}
