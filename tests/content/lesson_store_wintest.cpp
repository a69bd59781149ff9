// The lesson containers as the program carries them: RCDATA, US English.
#include <gtest/gtest.h>

#include <cstdlib>

#include "content/lesson_store.h"
#include "content/resource_lookup.h"

namespace {

TEST(LessonResources, FoundByIdAndLanguage) {
  const uint8_t* data = nullptr;
  size_t size = 0;
  EXPECT_EQ(FindResourceBytes(1069, &data, &size), 1);
  int32_t reason = 0;
  EXPECT_EQ(LoadLesson(341, &reason), nullptr);
  EXPECT_EQ(reason, LOAD_NO_RESOURCE);

  if (FindResourceBytes(FIRST_LESSON_RESOURCE, &data, &size) != 0) {
    // No content compiled into this build: only the empty stand-in is there.
    reason = 0;
    EXPECT_EQ(LoadLesson(INDEX_LESSON, &reason), nullptr);
    EXPECT_EQ(reason, LOAD_NO_MEMORY);
    GTEST_SKIP() << "no lesson content in this build";
  }
  for (int n : {1, 5, 6, 339, static_cast<int>(INDEX_LESSON)}) {
    reason = 0;
    uint8_t* text = LoadLesson(n, &reason);
    ASSERT_NE(text, nullptr) << "lesson " << n << " reason " << reason;
    EXPECT_NE(text[0], 0) << n;
    free(text);
  }
  reason = 0;
  EXPECT_EQ(LoadLesson(340, &reason), nullptr);
  EXPECT_EQ(reason, LOAD_NO_SLOT);
}

}  // namespace
