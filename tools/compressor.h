// Build-time encoder for the lesson records: emits only the decoder's command
// set (literal runs, plain bytes, back-references, space pairs).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Smallest encoding the command set allows (optimal parse); decoding the
// result gives back exactly `text`.
std::vector<uint8_t> CompressRecord(std::span<const uint8_t> text);

// Plain greedy encoder of the same command set, kept as a yardstick.
std::vector<uint8_t> CompressGreedy(std::span<const uint8_t> text);
