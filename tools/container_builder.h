// Build-time writer of the lesson containers and the files that embed them
// in the Windows program (.rc) and in native binaries (.S).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Writes size bytes to path, replacing it; false with *error otherwise.
bool WriteFile(const std::filesystem::path& path, const void* data, size_t size, std::string* error);

// lessons: 339 texts, lesson 1 first, each holding the bytes LoadLesson must
// return, final zero end mark included. indexText likewise for the index.
// Writes res_1001.bin .. res_1068.bin, res_32767.bin, lessons_data.rc and
// lessons_embed.S into outDir. On failure returns false and fills *error.
bool WriteContainers(const std::vector<std::vector<uint8_t>>& lessons,
                     const std::vector<uint8_t>& indexText,
                     const std::string& outDir, std::string* error);
