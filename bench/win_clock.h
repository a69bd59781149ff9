// Seconds from the performance counter, for the benches run under Wine.
#pragma once
#include <windows.h>

inline double Now()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return double(count.QuadPart) / double(frequency.QuadPart);
}
