// zlib as a yardstick for the benchmarks only: raw deflate at level 9 and
// the matching inflate.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& in);
// True when in inflates to exactly size bytes.
bool Inflate(const std::vector<uint8_t>& in, uint8_t* out, size_t size);
