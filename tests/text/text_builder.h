// Hand-built lesson texts for the text engine's tests.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

struct Rec {
    uint8_t style;
    uint8_t param;
    std::string text;
};

// A malloc'ed LessonText, as the lesson store hands them out.
inline uint8_t* BuildText(std::initializer_list<Rec> records)
{
    std::vector<uint8_t> bytes;
    for (const Rec& r : records) {
        bytes.push_back(r.style);
        bytes.push_back(r.param);
        bytes.insert(bytes.end(), r.text.begin(), r.text.end());
        bytes.push_back(0);
    }
    bytes.push_back(0);
    auto* text = static_cast<uint8_t*>(malloc(bytes.size()));
    memcpy(text, bytes.data(), bytes.size());
    return text;
}

// Reading order to the stored order of a reversed paragraph.
inline std::string Reversed(std::string s) { return std::string(s.rbegin(), s.rend()); }
