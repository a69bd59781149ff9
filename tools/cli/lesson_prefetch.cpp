#include "tools/cli/lesson_prefetch.h"

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>
#if defined(__linux__)
#include <pthread.h>
#include <sched.h>
#endif

#include "calendar/schedule.h"
#include "content/lesson_store.h"
#include "search/spelling_matcher.h"

namespace {

// How far the helpers may run ahead of the search: enough to keep them
// busy, few enough that a search with many hits holds little memory.
constexpr int AHEAD = 32;
constexpr unsigned MAX_HELPERS = 3;

struct Slot {
    uint8_t* text = nullptr;
    bool ready = false;
};

// Position k of the walk is the k-th lesson after `first - 1`, wrapping.
struct Prefetch {
    std::mutex lock;
    std::condition_variable changed;
    std::vector<Slot> slots;
    std::vector<std::thread> helpers;
    const uint8_t* pattern = nullptr;
    uint32_t options = 0;
    int first = 0;        // lesson at position 0
    int claimed = 0;      // next position to decode
    int wanted = 0;       // next position the search will ask for
    bool stopping = false;
};

Prefetch* g_prefetch;

int LessonAt(const Prefetch& p, int k) { return (p.first - 1 + k) % LESSON_COUNT + 1; }

// Decodes and searches the next unclaimed position within reach; false when
// there is none. A lesson without the pattern is dropped at once, on the
// core that decoded it: the search would only skip it.
bool DecodeNext(Prefetch& p, std::unique_lock<std::mutex>& held)
{
    if (p.stopping || p.claimed >= static_cast<int>(p.slots.size()) || p.claimed >= p.wanted + AHEAD) return false;
    int k = p.claimed++;
    held.unlock();
    uint8_t* text = LoadLesson(LessonAt(p, k), nullptr);
    uint16_t length = 0;
    if (text && !FindInTextWith(text, 0, p.pattern, p.options, &length)) {
        std::free(text);
        text = nullptr;
    }
    held.lock();
    p.slots[k] = {text, true};
    p.changed.notify_all();
    return true;
}

#if defined(__linux__)
cpu_set_t g_cores;
bool g_coresKnown;

// Linux places a new thread on its parent's core, where it waits for the
// parent's time slice (milliseconds: the whole walk) before the balancer
// moves it. Started on the other cores, it begins at once; after that it
// may go anywhere.
void StartOnOtherCores(std::thread& t)
{
    if (!g_coresKnown) return;
    cpu_set_t others = g_cores;
    int mine = sched_getcpu();
    if (mine >= 0 && mine < CPU_SETSIZE) CPU_CLR(mine, &others);
    if (CPU_COUNT(&others) > 0) pthread_setaffinity_np(t.native_handle(), sizeof others, &others);
}
#endif

void Help(Prefetch* p)
{
#if defined(__linux__)
    if (g_coresKnown) sched_setaffinity(0, sizeof g_cores, &g_cores);
#endif
    std::unique_lock<std::mutex> held(p->lock);
    // Once every lesson is taken there is nothing to wait for: ending now
    // spares the search a wake-up when it stops.
    while (!p->stopping && p->claimed < static_cast<int>(p->slots.size())) {
        if (!DecodeNext(*p, held)) p->changed.wait(held);
    }
}

// The cores this process may run on (taskset, cgroups' cpusets), not the
// machine's: a helper on the only one just takes turns with the search.
unsigned UsableCores()
{
#if defined(__linux__)
    g_coresKnown = sched_getaffinity(0, sizeof g_cores, &g_cores) == 0;
    if (g_coresKnown) return static_cast<unsigned>(CPU_COUNT(&g_cores));
#endif
    return std::thread::hardware_concurrency();
}

}  // namespace

unsigned StartPrefetch(int current, const uint8_t* pattern, uint32_t options)
{
    if (g_prefetch) return 0;
    unsigned cores = UsableCores();
    if (cores < 2) return 0;
    auto* p = new Prefetch;
    p->pattern = pattern;
    p->options = options;
    p->first = current % LESSON_COUNT + 1;
    p->slots.resize(LESSON_COUNT - 1);
    unsigned helpers = std::min(cores - 1, MAX_HELPERS);
    // A helper that cannot be started is only speed lost.
    try {
        for (unsigned i = 0; i < helpers; ++i) {
            p->helpers.emplace_back(Help, p);
#if defined(__linux__)
            StartOnOtherCores(p->helpers.back());
#endif
        }
    } catch (const std::system_error&) {
    }
    g_prefetch = p;
    return static_cast<unsigned>(p->helpers.size());
}

uint8_t* LoadPrefetched(int lesson)
{
    Prefetch* p = g_prefetch;
    if (!p) return LoadLesson(lesson, nullptr);
    std::unique_lock<std::mutex> held(p->lock);
    int k = p->wanted;
    // Asked out of turn (the walk came round again): decode it here.
    if (k >= static_cast<int>(p->slots.size()) || LessonAt(*p, k) != lesson) {
        held.unlock();
        return LoadLesson(lesson, nullptr);
    }
    p->wanted = k + 1;
    p->changed.notify_all();
    while (!p->slots[k].ready) {
        if (!DecodeNext(*p, held)) p->changed.wait(held);
    }
    uint8_t* text = p->slots[k].text;
    p->slots[k].text = nullptr;
    return text;
}

void StopPrefetch()
{
    Prefetch* p = g_prefetch;
    if (!p) return;
    {
        std::lock_guard<std::mutex> held(p->lock);
        p->stopping = true;
    }
    p->changed.notify_all();
    for (std::thread& t : p->helpers) t.join();
    for (Slot& s : p->slots) std::free(s.text);
    delete p;
    g_prefetch = nullptr;
}
