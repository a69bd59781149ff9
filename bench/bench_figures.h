// The bench table's figures, shared by the native and the Windows benches:
// medians with their quartiles, and one row of the table.
#pragma once
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

struct Spread {
    double median, low, high;
};

// Median and quartiles of a sample; -1 throughout for none.
inline Spread SpreadOf(std::vector<double> v)
{
    if (v.empty()) return {-1, -1, -1};
    std::sort(v.begin(), v.end());
    auto at = [&](double q) { return v[static_cast<size_t>(q * (v.size() - 1) + 0.5)]; };
    return {at(0.5), at(0.25), at(0.75)};
}

// Seconds as "3.12 ms (2.90-3.40)": the median, then the quartiles.
inline std::string Ms(const Spread& t, int decimals = 2)
{
    char text[80];
    snprintf(text, sizeof text, "%.*f ms (%.*f-%.*f)", decimals, t.median * 1e3, decimals, t.low * 1e3, decimals,
             t.high * 1e3);
    return text;
}

inline std::string Ratio(const Spread& r)
{
    char text[80];
    snprintf(text, sizeof text, "%.2fx (%.2f-%.2f)", r.median, r.low, r.high);
    return text;
}

inline void Row(const char* measure, const std::string& figure, const std::string& against, const std::string& ratio,
                const char* goal)
{
    printf("| %-48s | %-22s | %-44s | %-19s | %-16s |\n", measure, figure.c_str(), against.c_str(), ratio.c_str(),
           goal);
}
