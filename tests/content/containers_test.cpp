#include "tools/container_builder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>

#include "content/embedded_resources.h"
#include "content/lesson_store.h"
#include "tests/content/generated_lessons.h"

namespace {

constexpr int32_t UNTOUCHED = -7;

std::vector<uint8_t> ReadAll(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}

std::string ReadText(const std::filesystem::path& p) {
  std::vector<uint8_t> b = ReadAll(p);
  return {b.begin(), b.end()};
}

unsigned Big16(const std::vector<uint8_t>& b, size_t at) { return b[at] << 8 | b[at + 1]; }

// 339 generated lessons and an index, written once, then served to
// LoadLesson through a table the tests may add damaged containers to.
class Containers : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new std::filesystem::path(std::filesystem::path(testing::TempDir()) / "quorin_containers");
    lessons_ = new std::vector<std::vector<uint8_t>>(GeneratedLessons(339, 400));
    index_ = new std::vector<uint8_t>(GeneratedLesson(1000, 2000));
    std::string error;
    ASSERT_TRUE(WriteContainers(*lessons_, *index_, dir_->string(), &error)) << error;
    files_ = new std::map<unsigned, std::vector<uint8_t>>;
    for (unsigned id = 1001; id <= 1068; ++id) (*files_)[id] = ReadAll(*dir_ / ("res_" + std::to_string(id) + ".bin"));
    (*files_)[32767] = ReadAll(*dir_ / "res_32767.bin");
  }
  static void TearDownTestSuite() {
    std::filesystem::remove_all(*dir_);
    delete dir_;
    delete lessons_;
    delete index_;
    delete files_;
  }
  void SetUp() override { Serve(); }
  void TearDown() override { UseResourceTable(nullptr, 0); }

  // Serves the written containers plus any extra ones.
  void Serve(std::map<unsigned, std::vector<uint8_t>> extra = {}) {
    extra_ = std::move(extra);
    table_.clear();
    for (auto* m : {files_, &extra_})
      for (auto& [id, bytes] : *m) table_.push_back({id, bytes.data(), bytes.size()});
    UseResourceTable(table_.data(), table_.size());
  }

  // The loaded text as a vector, checked to end in a zero; empty if none.
  // `size` defaults to the size of the text that lesson number was built from.
  static std::vector<uint8_t> Load(int lesson, int32_t* reason, size_t size = 0) {
    uint8_t* text = LoadLesson(lesson, reason);
    if (!text) return {};
    if (!size) size = lesson == INDEX_LESSON ? index_->size() : (*lessons_)[lesson - 1].size();
    std::vector<uint8_t> v(text, text + size);
    EXPECT_EQ(text[size], 0);
    free(text);
    return v;
  }

  static std::filesystem::path* dir_;
  static std::vector<std::vector<uint8_t>>* lessons_;
  static std::vector<uint8_t>* index_;
  static std::map<unsigned, std::vector<uint8_t>>* files_;
  std::map<unsigned, std::vector<uint8_t>> extra_;
  std::vector<EmbeddedResource> table_;
};

std::filesystem::path* Containers::dir_;
std::vector<std::vector<uint8_t>>* Containers::lessons_;
std::vector<uint8_t>* Containers::index_;
std::map<unsigned, std::vector<uint8_t>>* Containers::files_;

TEST_F(Containers, EveryLessonAndTheIndexComeBack) {
  for (int n = 1; n <= 339; ++n) {
    int32_t reason = UNTOUCHED;
    ASSERT_EQ(Load(n, &reason), (*lessons_)[n - 1]) << "lesson " << n;
    ASSERT_EQ(reason, UNTOUCHED);
  }
  int32_t reason = UNTOUCHED;
  EXPECT_EQ(Load(INDEX_LESSON, &reason), *index_);
  EXPECT_EQ(reason, UNTOUCHED);
}

TEST_F(Containers, HeadersAndTerminators) {
  for (auto& [id, bytes] : *files_) {
    ASSERT_GE(bytes.size(), 10u);
    EXPECT_EQ(Big16(bytes, 0), bytes.size() - 6) << id;
    EXPECT_EQ(std::vector<uint8_t>(bytes.end() - 4, bytes.end()), std::vector<uint8_t>(4, 0)) << id;
  }
  EXPECT_EQ(Big16((*files_)[1001], 2), 1u);
  EXPECT_EQ(Big16((*files_)[1001], 4), 5u);
  EXPECT_EQ(Big16((*files_)[1068], 2), 336u);
  EXPECT_EQ(Big16((*files_)[1068], 4), 339u);
  EXPECT_EQ(Big16((*files_)[32767], 2), 1u);
  EXPECT_EQ(Big16((*files_)[32767], 4), 255u);
  // Each record's uncompressed size is the whole text, end mark included.
  EXPECT_EQ(Big16((*files_)[1001], 8), (*lessons_)[0].size());

  std::string rc = ReadText(*dir_ / "lessons_data.rc");
  EXPECT_NE(rc.find("LANGUAGE 9, 1\n"), std::string::npos);
  EXPECT_NE(rc.find("\n1001 RCDATA \"res_1001.bin\"\n"), std::string::npos);
  EXPECT_NE(rc.find("\n1068 RCDATA \"res_1068.bin\"\n"), std::string::npos);
  EXPECT_NE(rc.find("\n32767 RCDATA \"res_32767.bin\"\n"), std::string::npos);
  EXPECT_EQ(rc.find("1069"), std::string::npos);
  std::string s = ReadText(*dir_ / "lessons_embed.S");
  EXPECT_NE(s.find(".incbin \"" + (*dir_ / "res_1068.bin").string() + "\""), std::string::npos);
}

TEST_F(Containers, LessonNumbersOutsideTheCycle) {
  int32_t reason = UNTOUCHED;
  EXPECT_TRUE(Load(340, &reason).empty());  // slot 4 of a four-record container
  EXPECT_EQ(reason, LOAD_NO_SLOT);
  EXPECT_TRUE(Load(341, &reason).empty());  // resource 1069
  EXPECT_EQ(reason, LOAD_NO_RESOURCE);
  for (int n : {0, -1, -32768}) {
    reason = UNTOUCHED;
    EXPECT_EQ(LoadLesson(n, &reason), nullptr);
    EXPECT_EQ(reason, UNTOUCHED);
  }
  // The division would pick 7354: put a container there to prove it is not read.
  Serve({{7354, (*files_)[1001]}});
  EXPECT_EQ(Load(INDEX_LESSON, &reason), *index_);
  EXPECT_EQ(Load(INDEX_LESSON - 1, &reason, (*lessons_)[0].size()), (*lessons_)[0]);  // 31766 -> 7354 slot 0
}

TEST_F(Containers, UnusableResources) {
  // 1069 empty, 1070 shorter than its header, 1071 a record of size 0.
  std::vector<uint8_t> zeroSize = {0, 9, 0, 0, 0, 0, 0, 1, 0, 0, 'a', 0, 0, 0, 0};
  Serve({{1069, {}}, {1070, {0, 0, 0}}, {1071, zeroSize}});
  int32_t reason = UNTOUCHED;
  EXPECT_TRUE(Load(341, &reason).empty());
  EXPECT_EQ(reason, LOAD_NO_MEMORY);
  EXPECT_TRUE(Load(346, &reason).empty());
  EXPECT_EQ(reason, LOAD_NO_MEMORY);
  EXPECT_TRUE(Load(351, &reason).empty());
  EXPECT_EQ(reason, LOAD_BAD_RECORD);
}

TEST_F(Containers, BodyLengthLongerThanTheResource) {
  // Cut container 1001 inside its third record, header left claiming it all.
  std::vector<uint8_t> cut = (*files_)[1001];
  size_t third = 6;
  for (int i = 0; i < 2; ++i) third += Big16(cut, third) + 4;
  cut.resize(third + 4 + Big16(cut, third) / 2);
  (*files_)[1001].swap(cut);
  Serve({});
  int32_t reason = UNTOUCHED, thirdReason = UNTOUCHED;
  testing::internal::CaptureStderr();
  std::vector<uint8_t> first = Load(1, &reason), thirdText = Load(3, &thirdReason), fourth = Load(4, &reason);
  testing::internal::GetCapturedStderr();
  (*files_)[1001].swap(cut);
  EXPECT_EQ(first, (*lessons_)[0]);
  EXPECT_TRUE(thirdText.empty());
  EXPECT_EQ(thirdReason, LOAD_BUFFER_ERROR);
  EXPECT_TRUE(fourth.empty());
  EXPECT_EQ(reason, LOAD_NO_SLOT);
}

TEST(WriteContainers, RefusesWhatTheFormatCannotHold) {
  std::string dir = (std::filesystem::path(testing::TempDir()) / "quorin_refused").string();
  std::vector<uint8_t> index = {1, 0, 'a', 0, 0};
  std::string error;
  EXPECT_FALSE(WriteContainers({}, index, dir, &error));
  EXPECT_FALSE(WriteContainers({{}}, index, dir, &error));
  EXPECT_FALSE(WriteContainers({std::vector<uint8_t>(65536, 'a')}, index, dir, &error));
  EXPECT_NE(error.find("65535"), std::string::npos);
  EXPECT_FALSE(WriteContainers({index}, {}, dir, &error));
  // Five texts that will not compress overflow one container's body.
  std::mt19937 rng(3);
  std::vector<std::vector<uint8_t>> noise(5, std::vector<uint8_t>(20000));
  for (auto& t : noise)
    for (auto& b : t) b = static_cast<uint8_t>(rng());
  error.clear();
  EXPECT_FALSE(WriteContainers(noise, index, dir, &error));
  EXPECT_NE(error.find("body"), std::string::npos);
  std::filesystem::remove_all(dir);
}

}  // namespace
