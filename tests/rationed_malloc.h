// Failure injection for test programs linked with --wrap=malloc: the code
// under test calls malloc as always, and the request after the next n
// granted ones gets null; later ones are granted again. Included by one
// source file per program.
#pragma once
#include <cstddef>

extern "C" void* __real_malloc(size_t size);

namespace rationed {
inline int g_left = -1;   // requests still granted before the refusal; -1: none pending
inline void FailAfter(int n) { g_left = n; }
// True when the refusal came; ends the rationing either way.
inline bool Refused()
{
    bool refused = g_left < 0;
    g_left = -1;
    return refused;
}
}  // namespace rationed

extern "C" void* __wrap_malloc(size_t size)
{
    if (rationed::g_left == 0) {
        rationed::g_left = -1;
        return nullptr;
    }
    if (rationed::g_left > 0) --rationed::g_left;
    return __real_malloc(size);
}
