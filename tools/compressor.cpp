// Encoder for the lesson records. Command costs: plain byte or space pair 1,
// back-reference 2 (distance 1..2047, length 3..10), literal run 1 + n.
#include "tools/compressor.h"

#include <algorithm>
#include <limits>

namespace {

constexpr size_t MAX_DISTANCE = 2047;
constexpr size_t MIN_MATCH = 3;
constexpr size_t MAX_MATCH = 10;
constexpr size_t MAX_RUN = 8;
constexpr int HASH_BITS = 15;
constexpr uint32_t NO_POS = std::numeric_limits<uint32_t>::max();

bool IsPlain(uint8_t b) { return b == 0 || (b >= 0x09 && b < 0x80); }
bool IsSpacePair(std::span<const uint8_t> t, size_t i) {
  return i + 1 < t.size() && t[i] == ' ' && t[i + 1] >= 0x40 && t[i + 1] < 0x80;
}

struct Match {
  uint16_t length;    // 0 when under MIN_MATCH
  uint16_t distance;
};

uint32_t Hash3(const uint8_t* p) {
  uint32_t v = p[0] << 16 | p[1] << 8 | p[2];
  return (v * 2654435761u) >> (32 - HASH_BITS);
}

// Longest earlier match (capped at MAX_MATCH) for every position, through
// hash chains of three-byte prefixes bounded by the window. Since every
// back-reference costs the same, the longest one also offers every shorter
// length, which is all the parse needs.
std::vector<Match> FindMatches(std::span<const uint8_t> t) {
  size_t n = t.size();
  std::vector<Match> best(n, Match{0, 0});
  if (n < MIN_MATCH) return best;
  std::vector<uint32_t> head(size_t{1} << HASH_BITS, NO_POS);
  std::vector<uint32_t> prev(n, NO_POS);
  for (size_t i = 0; i + MIN_MATCH <= n; ++i) {
    uint32_t h = Hash3(&t[i]);
    size_t cap = std::min(MAX_MATCH, n - i);
    for (uint32_t j = head[h]; j != NO_POS && i - j <= MAX_DISTANCE; j = prev[j]) {
      size_t len = 0;
      while (len < cap && t[j + len] == t[i + len]) ++len;
      if (len >= MIN_MATCH && len > best[i].length) {
        best[i] = Match{static_cast<uint16_t>(len), static_cast<uint16_t>(i - j)};
        if (len == cap) break;
      }
    }
    prev[i] = head[h];
    head[h] = static_cast<uint32_t>(i);
  }
  return best;
}

void EmitLiteralRun(std::vector<uint8_t>& out, std::span<const uint8_t> t, size_t i, size_t n) {
  out.push_back(static_cast<uint8_t>(n));
  out.insert(out.end(), t.begin() + i, t.begin() + i + n);
}

void EmitBackReference(std::vector<uint8_t>& out, size_t distance, size_t length) {
  unsigned v = 0x8000 | static_cast<unsigned>(distance) << 3 | static_cast<unsigned>(length - MIN_MATCH);
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}

// Single-byte commands for position i, if any: returns bytes consumed (0: none).
size_t EmitShort(std::vector<uint8_t>& out, std::span<const uint8_t> t, size_t i) {
  if (IsSpacePair(t, i)) {
    out.push_back(static_cast<uint8_t>(t[i + 1] ^ 0x80));
    return 2;
  }
  if (IsPlain(t[i])) {
    out.push_back(t[i]);
    return 1;
  }
  return 0;
}

// One step of the parse: what to emit at a position.
enum StepKind : uint8_t { STEP_PLAIN, STEP_PAIR, STEP_MATCH, STEP_RUN };
struct Step {
  StepKind kind;
  uint8_t length;
};

}  // namespace

std::vector<uint8_t> CompressRecord(std::span<const uint8_t> text) {
  size_t n = text.size();
  std::vector<Match> matches = FindMatches(text);
  // cost[i]: fewest bytes that encode text[i..n); filled from the end.
  std::vector<uint32_t> cost(n + 1, 0);
  std::vector<Step> choice(n);
  for (size_t i = n; i-- > 0;) {
    uint32_t best = std::numeric_limits<uint32_t>::max();
    Step step{STEP_RUN, 1};
    auto consider = [&](uint32_t c, Step s) {
      if (c < best) best = c, step = s;
    };
    if (IsSpacePair(text, i)) consider(1 + cost[i + 2], {STEP_PAIR, 2});
    if (IsPlain(text[i])) consider(1 + cost[i + 1], {STEP_PLAIN, 1});
    for (size_t len = MIN_MATCH; len <= matches[i].length; ++len)
      consider(2 + cost[i + len], {STEP_MATCH, static_cast<uint8_t>(len)});
    for (size_t len = 1; len <= MAX_RUN && i + len <= n; ++len)
      consider(static_cast<uint32_t>(1 + len) + cost[i + len], {STEP_RUN, static_cast<uint8_t>(len)});
    cost[i] = best;
    choice[i] = step;
  }
  std::vector<uint8_t> out;
  out.reserve(cost[0]);
  for (size_t i = 0; i < n;) {
    Step s = choice[i];
    switch (s.kind) {
      case STEP_PLAIN:
        out.push_back(text[i]);
        break;
      case STEP_PAIR:
        out.push_back(static_cast<uint8_t>(text[i + 1] ^ 0x80));
        break;
      case STEP_MATCH:
        EmitBackReference(out, matches[i].distance, s.length);
        break;
      case STEP_RUN:
        EmitLiteralRun(out, text, i, s.length);
        break;
    }
    i += s.length;
  }
  return out;
}

std::vector<uint8_t> CompressGreedy(std::span<const uint8_t> text) {
  size_t n = text.size();
  std::vector<Match> matches = FindMatches(text);
  std::vector<uint8_t> out;
  size_t i = 0;
  while (i < n) {
    if (matches[i].length >= MIN_MATCH) {
      EmitBackReference(out, matches[i].distance, matches[i].length);
      i += matches[i].length;
      continue;
    }
    if (size_t used = EmitShort(out, text, i)) {
      i += used;
      continue;
    }
    // Gather the bytes that need escaping into one run.
    size_t run = 1;
    while (run < MAX_RUN && i + run < n && !IsPlain(text[i + run]) && matches[i + run].length < MIN_MATCH)
      ++run;
    EmitLiteralRun(out, text, i, run);
    i += run;
  }
  return out;
}
