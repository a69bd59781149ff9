// Hand-built lesson texts for the search and index tests.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

struct TestRecord {
    uint8_t style;
    std::string text;
};

// Records of style, parameter 0 and text, then the end mark.
inline std::vector<uint8_t> BuildLesson(std::initializer_list<TestRecord> records)
{
    std::vector<uint8_t> out;
    for (const TestRecord& r : records) {
        out.push_back(r.style);
        out.push_back(0);
        out.insert(out.end(), r.text.begin(), r.text.end());
        out.push_back(0);
    }
    out.push_back(0);
    return out;
}

inline const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.c_str()); }
