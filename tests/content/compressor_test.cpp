#include "tools/compressor.h"

#include <gtest/gtest.h>

#include <random>

#include "content/lesson_store.h"
#include "tests/content/generated_lessons.h"

namespace {

std::vector<uint8_t> Decode(const std::vector<uint8_t>& packed, size_t size) {
  CompressedRecord r{packed.data(), static_cast<uint16_t>(packed.size()), static_cast<uint16_t>(size)};
  int32_t reason = 0;
  uint8_t* text = UnCompress(&r, &reason);
  EXPECT_NE(text, nullptr) << "reason " << reason;
  std::vector<uint8_t> out;
  if (text) out.assign(text, text + size);
  free(text);
  return out;
}

// Walks the command stream the way the decoder does, checking the encoder
// only used commands inside their legal ranges.
void ExpectOnlyLegalCommands(const std::vector<uint8_t>& packed) {
  size_t written = 0;
  for (size_t i = 0; i < packed.size();) {
    uint8_t b = packed[i++];
    if (b >= 1 && b <= 8) {
      ASSERT_LE(i + b, packed.size());
      i += b, written += b;
    } else if (b >= 0x80 && b < 0xC0) {
      ASSERT_LT(i, packed.size());
      unsigned distance = ((b << 8 | packed[i++]) >> 3) & 0x7FF;
      ASSERT_GE(distance, 1u);
      ASSERT_LE(distance, written);
      written += (packed[i - 1] & 7) + 3;
    } else {
      written += b >= 0xC0 ? 2 : 1;
    }
  }
}

void ExpectRoundTrip(const std::vector<uint8_t>& text) {
  for (auto compress : {CompressRecord, CompressGreedy}) {
    std::vector<uint8_t> packed = compress(text);
    ExpectOnlyLegalCommands(packed);
    EXPECT_EQ(Decode(packed, text.size()), text);
  }
}

TEST(Compressor, GeneratedLessonsRoundTrip) {
  for (unsigned seed = 1; seed <= 40; ++seed) ExpectRoundTrip(GeneratedLesson(seed, 500 + seed * 97));
  ExpectRoundTrip(GeneratedLesson(99, 36000));  // longer than the window many times over
}

TEST(Compressor, AwkwardBytesRoundTrip) {
  std::vector<uint8_t> every;
  for (int i = 0; i < 256; ++i) every.push_back(static_cast<uint8_t>(i));
  ExpectRoundTrip(every);

  std::mt19937 rng(7);
  std::vector<uint8_t> noise(5000);
  for (auto& b : noise) b = static_cast<uint8_t>(rng());
  ExpectRoundTrip(noise);

  // Space pairs next to plain spaces, escapes between matches, long runs.
  ExpectRoundTrip({' ', ' ', 'A', ' ', 0x7F, ' ', 0x80, ' ', 0x3F, ' '});
  ExpectRoundTrip(std::vector<uint8_t>(3000, 0x05));
  ExpectRoundTrip(std::vector<uint8_t>(3000, ' '));
  ExpectRoundTrip({0x81, 0x61, 0x82, 0x81, 0x61, 0x82, 0x81, 0x61, 0x82});
  ExpectRoundTrip({'x'});
  ExpectRoundTrip({0xFF});
}

TEST(Compressor, OptimalParseNeverLosesToGreedy) {
  size_t optimal = 0, greedy = 0;
  for (unsigned seed = 1; seed <= 20; ++seed) {
    std::vector<uint8_t> text = GeneratedLesson(seed, 4000);
    size_t o = CompressRecord(text).size(), g = CompressGreedy(text).size();
    EXPECT_LE(o, g);
    optimal += o, greedy += g;
  }
  EXPECT_LT(optimal, greedy);
}

TEST(Compressor, KnownSmallestEncodings) {
  // The byte, then one back-reference at distance 1 repeating it nine times.
  EXPECT_EQ(CompressRecord(std::vector<uint8_t>(10, 'a')).size(), 3u);
  // A space before 0x40..0x7F folds into one byte.
  EXPECT_EQ(CompressRecord(std::vector<uint8_t>{' ', 'a', ' ', 'b'}), (std::vector<uint8_t>{0xE1, 0xE2}));
  // Bytes needing escape share one run header.
  EXPECT_EQ(CompressRecord(std::vector<uint8_t>{0x80, 0x41, 0x80}), (std::vector<uint8_t>{3, 0x80, 0x41, 0x80}));
}

}  // namespace
