// The text of the work as the compiler sees it: sections with their chapters
// and paragraphs, opening lists, books and the plan of the 339 lessons, all
// lines already in letter code (reading order).
#pragma once

#include <string>
#include <vector>

#include "calendar/schedule.h"   // LESSON_COUNT

constexpr int SECTION_COUNT = 88;
constexpr int INTRO_PART_COUNT = 4;    // sections 1..4 are the introductory parts

struct Chapter {
    std::vector<std::string> paragraphs;
};

struct Section {
    int number;                         // 1..88
    std::string title;
    std::vector<Chapter> chapters;      // chapter c is chapters[c - 1]
    std::vector<std::string> preamble;  // the opening list without its title line
};

struct Book {
    int number;                         // 0 = the introduction, 1..14
    std::string title;
    int firstSection, lastSection;
};

struct ChapterRef {
    int section, chapter;
};

struct LessonPlan {
    int number;
    std::vector<ChapterRef> chapters;   // in reading order
};

struct Corpus {
    std::vector<Section> sections;      // sections[s - 1]
    std::vector<Book> books;
    std::vector<LessonPlan> lessons;    // lessons[n - 1]
};

bool IsIntroPart(int section);

// Reads dir/sections, dir/preambles, dir/books.tsv and dir/lessons.tsv and
// checks that they fit together: books cover the sections in order, the
// lessons cover every chapter exactly once in order. On failure *error
// names the file and line.
bool ReadCorpus(const std::string& dir, Corpus* corpus, std::string* error);
