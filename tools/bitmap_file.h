// Little-endian writers for the bitmap and icon files the art tools make.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

void Put16(std::vector<uint8_t>& out, uint32_t v);
void Put32(std::vector<uint8_t>& out, uint32_t v);
// BITMAPFILEHEADER for a file whose pixels start at offset.
void PutFileHeader(std::vector<uint8_t>& out, uint32_t offset, uint32_t fileSize);
// BITMAPINFOHEADER, uncompressed, 72 dpi.
void PutInfoHeader(std::vector<uint8_t>& out, int width, int height, int bits, uint32_t imageSize,
                   uint32_t colours, uint32_t important);
// A one-bit picture, ink palette entry 0 (black), paper entry 1 (white): a
// static control draws it in its text and background colours.
std::vector<uint8_t> OneBitBmp(int width, int height, const std::function<bool(int x, int y)>& ink);
bool WriteFile(const char* path, const std::vector<uint8_t>& bytes);

// A text pixel map: rows of letters, all of one width; lines starting with
// '#' are comments. False with a reason ("path[:line]: ...") otherwise.
bool ReadPixelMap(const std::string& path, std::vector<std::string>* rows, std::string* error);
