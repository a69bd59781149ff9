#include "search/lesson_cache.h"

#include <cstdlib>
#include <cstring>
#include "calendar/schedule.h"
#include "content/lesson_store.h"

namespace {

struct Kept {
    uint8_t* text;
    size_t size;   // bytes up to and with the zero style byte that ends it
};

Kept g_kept[LESSON_COUNT];

// The records end at a zero style byte; nothing reads past it.
size_t TextSize(const uint8_t* text)
{
    size_t n = 0;
    while (text[n]) n += 2, n += std::strlen(reinterpret_cast<const char*>(text + n)) + 1;
    return n + 1;
}

}  // namespace

const uint8_t* CachedLesson(int lesson)
{
    if (lesson < 1 || lesson > LESSON_COUNT) return nullptr;
    Kept& k = g_kept[lesson - 1];
    if (!k.text) {
        k.text = LoadLesson(lesson, nullptr);
        if (k.text) k.size = TextSize(k.text);
    }
    return k.text;
}

uint8_t* CopyOfCachedLesson(int lesson)
{
    const uint8_t* text = CachedLesson(lesson);
    if (!text) return nullptr;
    size_t size = g_kept[lesson - 1].size;
    auto* copy = static_cast<uint8_t*>(std::malloc(size + LESSON_TEXT_PADDING));
    if (!copy) return nullptr;
    std::memcpy(copy, text, size);
    std::memset(copy + size, 0, LESSON_TEXT_PADDING);
    return copy;
}

void ReleaseLessonCache()
{
    for (Kept& k : g_kept) {
        std::free(k.text);
        k = {};
    }
}
