#include "content/lesson_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr const char* BUFFER_ERROR = "UnCompress() buffer error!\n";

struct Decoded {
  std::vector<uint8_t> text;  // with the zero after it
  bool ok;
  int32_t reason;
  std::string stderrText;
};

Decoded Decode(const std::vector<uint8_t>& packed, uint16_t size) {
  CompressedRecord r{packed.data(), static_cast<uint16_t>(packed.size()), size};
  Decoded d{{}, false, 0, {}};
  testing::internal::CaptureStderr();
  uint8_t* text = UnCompress(&r, &d.reason);
  d.stderrText = testing::internal::GetCapturedStderr();
  d.ok = text != nullptr;
  if (text) d.text.assign(text, text + size + 1);
  free(text);
  return d;
}

std::vector<uint8_t> Bytes(std::string s) { return {s.begin(), s.end()}; }
std::vector<uint8_t> Terminated(std::string s) { return Bytes(s + std::string(1, '\0')); }

TEST(UnCompress, CommandSet) {
  // Back-reference 0x80 0x0F: distance 1, length bits 7 -> ten copies.
  EXPECT_EQ(Decode({'a', 0x80, 0x0F}, 11).text, Terminated("aaaaaaaaaaa"));
  // Distance 3, length 3 (bits 0), copying text that is not a run.
  EXPECT_EQ(Decode({'a', 'b', 'c', 0x80, 0x18}, 6).text, Terminated("abcabc"));
  // Overlap: distance 2, length 5 over "xy".
  EXPECT_EQ(Decode({'x', 'y', 0x80, 0x12}, 7).text, Terminated("xyxyxyx"));
  EXPECT_EQ(Decode({0xE1}, 2).text, Terminated(" a"));
  EXPECT_EQ(Decode({0x03, 0x01, 0x80, 0xFF, 0x00, 0x09}, 5).text,
            (std::vector<uint8_t>{0x01, 0x80, 0xFF, 0x00, 0x09, 0x00}));
  // Decoded bytes may themselves be zero: a zero still follows the last one.
  Decoded zeros = Decode({'z', 0x00, 0x00}, 3);
  EXPECT_EQ(zeros.text, (std::vector<uint8_t>{'z', 0, 0, 0}));
}

TEST(UnCompress, OverlongInputIsCutAtTheStatedSize) {
  for (auto packed : std::vector<std::vector<uint8_t>>{
           {'a', 'b', 'c', 'd'},        // plain bytes left over
           {'a', 0x80, 0x0F},           // copy cut after 3 of 10
           {0x05, 'a', 'b', 'c', 'd', 'e'},  // literal run cut
           {'a', 'b', 0xE3}}) {         // space pair loses its second byte
    Decoded d = Decode(packed, 3);
    EXPECT_TRUE(d.ok);
    EXPECT_EQ(d.text.size(), 4u);
    EXPECT_EQ(d.text[3], 0);
    EXPECT_EQ(d.stderrText, "");
  }
  EXPECT_EQ(Decode({'a', 'b', 0xE3}, 3).text, Terminated("ab "));
}

TEST(UnCompress, ShortOrDamagedInputIsABufferError) {
  for (auto [packed, size] : std::vector<std::pair<std::vector<uint8_t>, uint16_t>>{
           {{'a', 'b'}, 3},                   // input ends first
           {{0x04, 'a', 'b'}, 4},             // literal run runs past the record
           {{'a', 0x80}, 5},                  // back-reference missing its second byte
           {{'a', 0x80, 0x07}, 5},            // distance 0
           {{'a', 'b', 0x80, 0x18}, 5},       // distance 3 with 2 bytes written
           {{0xBF, 0xFF}, 10},                // reaching back from an empty output
           {{0x80, 0x08}, 3}}) {              // distance 1 with nothing written
    Decoded d = Decode(packed, size);
    EXPECT_FALSE(d.ok);
    EXPECT_EQ(d.reason, LOAD_BUFFER_ERROR);
    EXPECT_EQ(d.stderrText, BUFFER_ERROR);
  }
}

// The command set decoded one byte at a time, as plainly as it can be said:
// the yardstick for the decoder's wide copies.
std::vector<uint8_t> PlainDecode(const std::vector<uint8_t>& in) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i < in.size();) {
    unsigned b = in[i++];
    if (b >= 1 && b <= 8) {
      out.insert(out.end(), in.begin() + i, in.begin() + i + b);
      i += b;
    } else if (b < 0x80) {
      out.push_back(static_cast<uint8_t>(b));
    } else if (b < 0xC0) {
      unsigned v = b << 8 | in[i++];
      size_t distance = (v >> 3) & 0x7FF, length = (v & 7) + 3;
      for (size_t k = 0; k < length; ++k) out.push_back(out[out.size() - distance]);
    } else {
      out.push_back(' ');
      out.push_back(static_cast<uint8_t>(b ^ 0x80));
    }
  }
  return out;
}

// A valid stream of every kind of command, with distances crowded near the
// short ones where copies overlap what they write. With `fewRuns`, literal
// runs are as rare as in the lessons, so long stretches go the widest way.
std::vector<uint8_t> RandomStream(unsigned seed, size_t commands, bool fewRuns = false) {
  srand(seed);
  std::vector<uint8_t> in;
  size_t written = 0;
  while (commands--) {
    int kind = rand() % 4;
    if (fewRuns && kind == 0 && rand() % 50) kind = 1 + rand() % 3;
    if (kind == 0) {
      int n = 1 + rand() % 8;
      in.push_back(static_cast<uint8_t>(n));
      for (int k = 0; k < n; ++k) in.push_back(static_cast<uint8_t>(rand()));
      written += n;
    } else if (kind == 1) {
      in.push_back(static_cast<uint8_t>(9 + rand() % (0x80 - 9)));
      written += 1;
    } else if (kind == 2 && written > 0) {
      size_t limit = written < 0x7FF ? written : 0x7FF;
      size_t distance = 1 + (rand() % 2 ? rand() % 20 : rand()) % limit;
      unsigned lengthBits = rand() % 8;
      unsigned v = 0x8000 | static_cast<unsigned>(distance) << 3 | lengthBits;
      in.push_back(static_cast<uint8_t>(v >> 8));
      in.push_back(static_cast<uint8_t>(v));
      written += lengthBits + 3;
    } else {
      in.push_back(static_cast<uint8_t>(0xC0 + rand() % 0x40));
      written += 2;
    }
  }
  return in;
}

TEST(UnCompress, LongStreamsDecodeAsThePlainReading) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::vector<uint8_t> in = RandomStream(seed, 3000, seed % 2 == 0);
    std::vector<uint8_t> expected = PlainDecode(in);
    ASSERT_LT(expected.size(), 65536u);
    // The whole stream, and stated sizes that end inside it (a command cut
    // short near the end, or deep in the stream where copies run wide).
    for (size_t size : {expected.size(), expected.size() - 1, expected.size() - 7, expected.size() / 2 + seed}) {
      Decoded d = Decode(in, static_cast<uint16_t>(size));
      ASSERT_TRUE(d.ok) << "seed " << seed << " size " << size;
      std::vector<uint8_t> want(expected.begin(), expected.begin() + size);
      want.push_back(0);
      ASSERT_EQ(d.text, want) << "seed " << seed << " size " << size;
    }
  }
}

TEST(UnCompress, DamageDeepInALongStreamIsABufferError) {
  std::vector<uint8_t> in = RandomStream(7, 200);
  size_t good = PlainDecode(in).size();
  ASSERT_LT(good, 0x7FFu);
  // A copy reaching before the start, and a distance of 0, each followed by
  // enough input and room that the decoder is still on its wide path (64
  // command bytes at a time), or by just a little, where it goes one by one.
  // The stated size needs none of the damaged copy's output.
  for (size_t after : {20, 600})
    for (std::vector<uint8_t> damage : {std::vector<uint8_t>{0xBF, 0xFF}, std::vector<uint8_t>{0x80, 0x07}}) {
      std::vector<uint8_t> bad = in;
      bad.insert(bad.end(), damage.begin(), damage.end());
      bad.insert(bad.end(), after, 'x');
      Decoded d = Decode(bad, static_cast<uint16_t>(good + after));
      EXPECT_FALSE(d.ok) << after;
      EXPECT_EQ(d.reason, LOAD_BUFFER_ERROR) << after;
    }
}

TEST(UnCompress, UnusableRecord) {
  int32_t reason = 0;
  EXPECT_EQ(UnCompress(nullptr, &reason), nullptr);
  EXPECT_EQ(reason, LOAD_BAD_RECORD);
  uint8_t data[] = {'a'};
  CompressedRecord empty{data, 1, 0};
  reason = 0;
  EXPECT_EQ(UnCompress(&empty, &reason), nullptr);
  EXPECT_EQ(reason, LOAD_BAD_RECORD);
  CompressedRecord noData{nullptr, 1, 1};
  reason = 0;
  EXPECT_EQ(UnCompress(&noData, nullptr), nullptr);  // no reason slot: no write
  EXPECT_EQ(UnCompress(&noData, &reason), nullptr);
  EXPECT_EQ(reason, LOAD_BAD_RECORD);
}

// A body of records (compressed size, uncompressed size, data) + terminator.
std::vector<uint8_t> Body(const std::vector<std::vector<uint8_t>>& packed, bool terminator = true) {
  std::vector<uint8_t> body;
  for (const auto& p : packed) {
    body.insert(body.end(), {static_cast<uint8_t>(p.size() >> 8), static_cast<uint8_t>(p.size()), 0,
                             static_cast<uint8_t>(p.size())});
    body.insert(body.end(), p.begin(), p.end());
  }
  if (terminator) body.insert(body.end(), 4, 0);
  return body;
}

std::string Found(const std::vector<uint8_t>& body, int slot, int32_t* reason, size_t length = SIZE_MAX) {
  uint8_t* text = FindRecord(body.data(), length == SIZE_MAX ? body.size() : length, slot, reason);
  std::string s = text ? reinterpret_cast<char*>(text) : "<none>";
  free(text);
  return s;
}

TEST(FindRecord, WalksToTheSlot) {
  std::vector<uint8_t> body = Body({Bytes("one"), Bytes("two!"), Bytes("three")});
  int32_t reason = 0;
  EXPECT_EQ(Found(body, 0, &reason), "one");
  EXPECT_EQ(Found(body, 2, &reason), "three");
  EXPECT_EQ(reason, 0);
  for (int slot : {3, 4, -1}) {
    reason = 0;
    EXPECT_EQ(Found(body, slot, &reason), "<none>");
    EXPECT_EQ(reason, LOAD_NO_SLOT) << slot;
  }
  reason = 0;
  EXPECT_EQ(Found(body, 0, &reason, 4), "<none>");  // body below 5 bytes
  EXPECT_EQ(reason, LOAD_NO_SLOT);
  // Without a terminator the body length alone ends the walk.
  reason = 0;
  EXPECT_EQ(Found(Body({Bytes("one")}, false), 1, &reason), "<none>");
  EXPECT_EQ(reason, LOAD_NO_SLOT);
}

TEST(FindRecord, SizesClaimingMoreThanTheBodyHolds) {
  // Record 2's header sits at bytes 7..10: sizes at 7..8 and 9..10.
  std::vector<uint8_t> body = Body({Bytes("one"), Bytes("two")}, false);
  body[8] = 0x40;  // claims 64 compressed bytes it does not have
  int32_t reason = 0;
  EXPECT_EQ(Found(body, 1, &reason), "two");  // what is there still decodes
  body[10] = 10;   // and now needs more than the body holds
  testing::internal::CaptureStderr();
  EXPECT_EQ(Found(body, 1, &reason), "<none>");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), BUFFER_ERROR);
  EXPECT_EQ(reason, LOAD_BUFFER_ERROR);
  // Stepping over a record that runs past the end finds no further slot.
  body = Body({Bytes("one"), Bytes("two")}, false);
  body[1] = 0x40;
  reason = 0;
  EXPECT_EQ(Found(body, 1, &reason), "<none>");
  EXPECT_EQ(reason, LOAD_NO_SLOT);
}

}  // namespace
