// Synthetic lessons for the store's tests: records of style, parameter and
// letter-code text built from a seeded generator, never real product text.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

inline std::vector<uint8_t> GeneratedLesson(unsigned seed, size_t approxSize) {
  std::mt19937 rng(seed);
  auto pick = [&](unsigned n) { return static_cast<unsigned>(rng() % n); };
  // A small vocabulary, so the text repeats the way prose does.
  std::vector<std::vector<uint8_t>> words(60);
  for (auto& w : words) {
    w.resize(2 + pick(6));
    for (auto& c : w) c = static_cast<uint8_t>(0x61 + pick(27));
  }
  constexpr uint8_t styles[] = {0xDC, 0xD1, 0x01, 0x81, 0x21, 0x49};
  constexpr uint8_t punctuation[] = {'.', ',', ':', '"', '\'', '(', ')', '-'};
  std::vector<uint8_t> t;
  while (t.size() < approxSize) {
    if (pick(12) == 0) {  // a rule record: empty text
      t.insert(t.end(), {0x47, static_cast<uint8_t>(1 + pick(255)), 0});
      continue;
    }
    t.push_back(styles[pick(std::size(styles))]);
    t.push_back(static_cast<uint8_t>(pick(256)));
    for (unsigned n = 1 + pick(40); n > 0; --n) {
      const auto& w = words[pick(words.size())];
      t.insert(t.end(), w.begin(), w.end());
      if (pick(6) == 0) t.push_back(punctuation[pick(std::size(punctuation))]);
      if (n > 1) t.push_back(' ');
    }
    t.push_back(0);
  }
  t.push_back(0);  // end mark
  return t;
}

inline std::vector<std::vector<uint8_t>> GeneratedLessons(size_t count, size_t approxSize) {
  std::vector<std::vector<uint8_t>> lessons;
  for (size_t i = 0; i < count; ++i) lessons.push_back(GeneratedLesson(static_cast<unsigned>(i + 1), approxSize + i % 7 * 50));
  return lessons;
}
