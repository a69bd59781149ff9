// The portable part of FindNext: the lesson on screen from where the reader
// is, then every other lesson of the cycle, then the lesson on screen again.
#pragma once
#include <cstdint>

struct TextView;

struct SearchHit {
    uint8_t* text;      // a newly loaded lesson for the caller, or nullptr when the hit is on screen
    uint16_t lesson;    // lesson of the hit
    uint16_t offset;    // last character of the hit
    uint16_t length;
    int32_t day;        // day to show with a newly loaded lesson
};

using LessonLoader = uint8_t* (*)(int lesson);

// 1 with *hit filled, 0 for an empty pattern or nothing anywhere. viewText
// may be null; load null means the lesson store. options: the stored
// SearchOptions bits (spelling_matcher.h).
int WalkLessons(const uint8_t* pattern, const uint8_t* viewText, uint16_t start, int currentLesson,
                LessonLoader load, SearchHit* hit, uint32_t options = 0);

// The same over the one-chapter track: the portion on screen, then the other
// portions of the cycle; a hit's day is the one of near's cycle that reads
// it, and its lesson field holds the portion.
int WalkPortions(const uint8_t* pattern, const uint8_t* viewText, uint16_t start, int currentPortion, int32_t near,
                 SearchHit* hit, uint32_t options = 0);

// Where searching the view's own lesson starts: just below the previous hit
// when it is still on the top line (or the view cannot scroll further), else
// the end of the top line.
uint16_t SearchStartOffset(const TextView* view);
