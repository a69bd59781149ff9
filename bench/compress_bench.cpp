// Yardstick for the lesson encoder and decoder: compression ratio of the
// optimal parse vs the greedy parse vs zlib level 9 (raw deflate, same
// per-lesson records), and decoding speed vs zlib inflate.
// Usage: compress_bench [generated-dir] [corpus-dir]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/zlib_yardstick.h"
#include "content/lesson_store.h"
#include "tools/compressor.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

Bytes ReadAll(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}

// The lesson texts of built containers, decoded back out of them.
std::vector<Bytes> TextsFromContainers(const std::filesystem::path& dir) {
  std::vector<Bytes> texts;
  for (int id = FIRST_LESSON_RESOURCE; id <= INDEX_RESOURCE; ++id) {
    auto path = dir / ("res_" + std::to_string(id) + ".bin");
    if (id > FIRST_LESSON_RESOURCE + 100 && id != INDEX_RESOURCE) continue;
    if (!std::filesystem::exists(path)) continue;
    Bytes c = ReadAll(path);
    size_t at = CONTAINER_HEADER_SIZE;
    while (at + RECORD_HEADER_SIZE <= c.size()) {
      uint16_t packed = static_cast<uint16_t>(c[at] << 8 | c[at + 1]);
      uint16_t size = static_cast<uint16_t>(c[at + 2] << 8 | c[at + 3]);
      if (!packed || at + RECORD_HEADER_SIZE + packed > c.size()) break;
      CompressedRecord r{&c[at + RECORD_HEADER_SIZE], packed, size};
      if (uint8_t* t = UnCompress(&r, nullptr)) {
        texts.emplace_back(t, t + size);
        free(t);
      }
      at += RECORD_HEADER_SIZE + packed;
    }
  }
  return texts;
}

// Without built containers: the corpus in the letter code, one record per
// line, cut into lesson-sized texts. Close enough to measure with.
std::vector<Bytes> TextsFromCorpus(const std::filesystem::path& dir) {
  std::vector<Bytes> texts(1);
  for (int n = 1; n <= 88; ++n) {
    char name[16];
    snprintf(name, sizeof name, "%02d.txt", n);
    Bytes utf8 = ReadAll(dir / "sections" / name);
    texts.back().insert(texts.back().end(), {0x01, 0x00});
    for (size_t i = 0; i < utf8.size(); ++i) {
      uint8_t b = utf8[i];
      if (b == 0xD7 && i + 1 < utf8.size()) {  // U+05C0..U+05FF
        unsigned cp = 0x5C0 + (utf8[++i] & 0x3F);
        if (cp >= 0x5D0 && cp <= 0x5EA) texts.back().push_back(static_cast<uint8_t>(0x61 + cp - 0x5D0));
      } else if (b == '\n') {
        texts.back().push_back(0);
        if (texts.back().size() > 10000) {
          texts.back().push_back(0);
          texts.emplace_back();
        }
        texts.back().insert(texts.back().end(), {0x01, 0x00});
      } else if (b < 0x80) {
        texts.back().push_back(b);
      }
    }
  }
  texts.back().insert(texts.back().end(), {0, 0});
  return texts;
}

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

struct Row {
  const char* name;
  size_t packed = 0;
  double encodeSeconds = 0, decodeSeconds = 0;
};

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path generated = argc > 1 ? argv[1] : "";
  std::filesystem::path corpus = argc > 2 ? argv[2] : "";
  std::vector<Bytes> texts;
  const char* source = "built containers";
  if (!generated.empty()) texts = TextsFromContainers(generated);
  if (texts.empty() && !corpus.empty()) {
    texts = TextsFromCorpus(corpus);
    source = "corpus in letter code";
  }
  if (texts.empty()) {
    fprintf(stderr, "compress_bench: no texts (give the generated folder or the corpus folder)\n");
    return 1;
  }
  size_t total = 0;
  for (const Bytes& t : texts) total += t.size();
  constexpr int ROUNDS = 20;  // decoding is quick: repeat for a stable time

  Row optimal{"optimal parse"}, greedy{"greedy parse"}, zlib{"zlib -9 (raw deflate)"};
  std::vector<Bytes> packedOptimal, packedZlib;
  auto start = Clock::now();
  for (const Bytes& t : texts) packedOptimal.push_back(CompressRecord(t)), optimal.packed += packedOptimal.back().size();
  optimal.encodeSeconds = Seconds(start);
  start = Clock::now();
  for (const Bytes& t : texts) greedy.packed += CompressGreedy(t).size();
  greedy.encodeSeconds = Seconds(start);
  start = Clock::now();
  for (const Bytes& t : texts) packedZlib.push_back(Deflate(t)), zlib.packed += packedZlib.back().size();
  zlib.encodeSeconds = Seconds(start);

  bool ok = true;
  start = Clock::now();
  for (int r = 0; r < ROUNDS; ++r)
    for (size_t i = 0; i < texts.size(); ++i) {
      CompressedRecord rec{packedOptimal[i].data(), static_cast<uint16_t>(packedOptimal[i].size()),
                           static_cast<uint16_t>(texts[i].size())};
      uint8_t* t = UnCompress(&rec, nullptr);
      ok = ok && t;
      free(t);
    }
  optimal.decodeSeconds = Seconds(start);
  start = Clock::now();
  for (int r = 0; r < ROUNDS; ++r)
    for (size_t i = 0; i < texts.size(); ++i) {
      auto* t = static_cast<uint8_t*>(malloc(texts[i].size() + 2));
      ok = ok && Inflate(packedZlib[i], t, texts[i].size());
      free(t);
    }
  zlib.decodeSeconds = Seconds(start);

  printf("%zu texts from %s, %zu bytes\n\n", texts.size(), source, total);
  printf("%-22s %10s %7s %10s %14s\n", "encoder", "bytes", "ratio", "encode s", "decode MB/s");
  for (const Row* r : {&optimal, &greedy, &zlib}) {
    printf("%-22s %10zu %6.1f%% %10.2f ", r->name, r->packed, 100.0 * r->packed / total, r->encodeSeconds);
    if (r->decodeSeconds > 0)
      printf("%14.0f\n", ROUNDS * total / r->decodeSeconds / 1e6);
    else
      printf("%14s\n", "(same decoder)");
  }
  if (!ok) fprintf(stderr, "compress_bench: a text did not decode\n");
  return ok ? 0 : 1;
}
