// Lessons kept decoded after the search first walks them, so Search Again
// scans text instead of decoding the cycle again. Budget: every lesson of
// the cycle once, about 4.1 MB with the shipped text.
#pragma once
#include <cstdint>

// Lesson 1..LESSON_COUNT decoded, owned by the cache (not to be freed), or
// nullptr when it does not load; a failed load is tried again next time.
const uint8_t* CachedLesson(int lesson);

// A copy of a cached text for a caller that keeps it (the view), or nullptr.
uint8_t* CopyOfCachedLesson(int lesson);

// Frees every kept lesson (at shutdown, and for benches that time a walk
// that decodes).
void ReleaseLessonCache();
