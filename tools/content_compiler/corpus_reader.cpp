// Reads the corpus folder into letter code and checks its parts agree.
#include "tools/content_compiler/corpus_reader.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string_view>

#include "tools/content_compiler/letter_text.h"

namespace {

struct SourceLine {
    int number;          // 1-based
    std::string text;    // raw UTF-8, without the line end
};

bool Fail(std::string* error, const std::string& why)
{
    *error = why;
    return false;
}

std::string Where(const std::string& path, int line)
{
    return path + ":" + std::to_string(line) + ": ";
}

// Whole file split into lines; a missing file is reported by *exists.
bool ReadLines(const std::string& path, std::vector<SourceLine>* lines, bool* exists)
{
    std::ifstream in(path, std::ios::binary);
    *exists = static_cast<bool>(in);
    lines->clear();
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    std::string text = all.str();
    size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines->push_back({number, line});
        start = end + 1;
    }
    return true;
}

bool Encode(const std::string& path, const SourceLine& line, std::string* out, std::string* error)
{
    size_t badAt = 0;
    long badChar = 0;
    if (EncodeTextLine(line.text, out, &badAt, &badChar)) return true;
    char what[64];
    if (badChar < 0)
        std::snprintf(what, sizeof what, "malformed UTF-8");
    else
        std::snprintf(what, sizeof what, "character U+%04lX the letter code cannot hold", badChar);
    return Fail(error, Where(path, line.number) + what + " (byte " + std::to_string(badAt + 1) + ")");
}

bool ParseInt(std::string_view text, int* value)
{
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
    return ec == std::errc() && end == text.data() + text.size();
}

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

std::string TwoDigits(int n)
{
    char name[8];
    std::snprintf(name, sizeof name, "%02d", n);
    return name;
}

// Title line, then "@N" lines opening chapters 1, 2, ... each followed by
// at least one paragraph line.
bool ReadSection(const std::string& dir, int number, Section* section, std::string* error)
{
    std::string path = dir + "/sections/" + TwoDigits(number) + ".txt";
    std::vector<SourceLine> lines;
    bool exists;
    if (!ReadLines(path, &lines, &exists)) return Fail(error, path + ": cannot read");
    if (lines.empty()) return Fail(error, path + ": empty");
    section->number = number;
    if (!Encode(path, lines[0], &section->title, error)) return false;
    if (section->title.empty() || section->title[0] == '@')
        return Fail(error, Where(path, 1) + "the first line must be the section's title");
    for (size_t i = 1; i < lines.size(); ++i) {
        const SourceLine& line = lines[i];
        if (!line.text.empty() && line.text[0] == '@') {
            int chapter;
            if (!ParseInt(std::string_view(line.text).substr(1), &chapter) ||
                chapter != static_cast<int>(section->chapters.size()) + 1)
                return Fail(error, Where(path, line.number) + "expected @" +
                                       std::to_string(section->chapters.size() + 1));
            if (!section->chapters.empty() && section->chapters.back().paragraphs.empty())
                return Fail(error, Where(path, line.number) + "the chapter before holds no paragraph");
            section->chapters.emplace_back();
            continue;
        }
        std::string paragraph;
        if (!Encode(path, line, &paragraph, error)) return false;
        if (paragraph.empty()) return Fail(error, Where(path, line.number) + "blank line");
        if (section->chapters.empty())
            return Fail(error, Where(path, line.number) + "paragraph before the first @1");
        section->chapters.back().paragraphs.push_back(std::move(paragraph));
    }
    if (section->chapters.empty() || section->chapters.back().paragraphs.empty())
        return Fail(error, path + ": no chapter, or a last chapter without paragraphs");
    return true;
}

// Optional; its first line repeats the section title and is not kept.
bool ReadPreamble(const std::string& dir, Section* section, std::string* error)
{
    std::string path = dir + "/preambles/" + TwoDigits(section->number) + ".txt";
    std::vector<SourceLine> lines;
    bool exists;
    if (!ReadLines(path, &lines, &exists)) return exists ? Fail(error, path + ": cannot read") : true;
    std::string title;
    if (!lines.empty() && !Encode(path, lines[0], &title, error)) return false;
    if (lines.empty() || title != section->title)
        return Fail(error, Where(path, 1) + "the first line must repeat the section title");
    for (size_t i = 1; i < lines.size(); ++i) {
        std::string paragraph;
        if (!Encode(path, lines[i], &paragraph, error)) return false;
        if (paragraph.empty()) return Fail(error, Where(path, lines[i].number) + "blank line");
        section->preamble.push_back(std::move(paragraph));
    }
    return true;
}

bool ReadBooks(const std::string& dir, Corpus* corpus, std::string* error)
{
    std::string path = dir + "/books.tsv";
    std::vector<SourceLine> lines;
    bool exists;
    if (!ReadLines(path, &lines, &exists)) return Fail(error, path + ": cannot read");
    int nextSection = 1;
    for (const SourceLine& line : lines) {
        std::vector<std::string_view> f = Split(line.text, '\t');
        Book book;
        if (f.size() != 4 || !ParseInt(f[0], &book.number) || !ParseInt(f[2], &book.firstSection) ||
            !ParseInt(f[3], &book.lastSection))
            return Fail(error, Where(path, line.number) + "expected number, title, first and last section");
        if (book.number != static_cast<int>(corpus->books.size()) || book.firstSection != nextSection ||
            book.lastSection < book.firstSection || book.lastSection > SECTION_COUNT)
            return Fail(error, Where(path, line.number) + "books must follow one another over sections 1.." +
                                   std::to_string(SECTION_COUNT));
        if (book.number == 0 && book.lastSection != INTRO_PART_COUNT)
            return Fail(error, Where(path, line.number) + "the introduction must hold the introductory parts");
        if (!Encode(path, {line.number, std::string(f[1])}, &book.title, error)) return false;
        nextSection = book.lastSection + 1;
        corpus->books.push_back(std::move(book));
    }
    if (nextSection != SECTION_COUNT + 1) return Fail(error, path + ": the books do not reach the last section");
    return true;
}

// Lesson n holds the chapters that follow on from lesson n - 1's last one.
bool ReadLessons(const std::string& dir, Corpus* corpus, std::string* error)
{
    std::string path = dir + "/lessons.tsv";
    std::vector<SourceLine> lines;
    bool exists;
    if (!ReadLines(path, &lines, &exists)) return Fail(error, path + ": cannot read");
    ChapterRef next = {1, 1};
    for (const SourceLine& line : lines) {
        std::vector<std::string_view> f = Split(line.text, '\t');
        LessonPlan plan;
        if (f.size() != 2 || !ParseInt(f[0], &plan.number) ||
            plan.number != static_cast<int>(corpus->lessons.size()) + 1)
            return Fail(error, Where(path, line.number) + "expected lesson " +
                                   std::to_string(corpus->lessons.size() + 1) + ", a tab and its chapters");
        for (std::string_view item : Split(f[1], ' ')) {
            std::vector<std::string_view> sc = Split(item, ':');
            ChapterRef ref;
            if (sc.size() != 2 || !ParseInt(sc[0], &ref.section) || !ParseInt(sc[1], &ref.chapter))
                return Fail(error, Where(path, line.number) + "bad chapter '" + std::string(item) + "'");
            if (ref.section != next.section || ref.chapter != next.chapter)
                return Fail(error, Where(path, line.number) + "expected chapter " + std::to_string(next.section) +
                                       ":" + std::to_string(next.chapter) + ", found " + std::string(item));
            plan.chapters.push_back(ref);
            const Section& section = corpus->sections[ref.section - 1];
            next = ref.chapter < static_cast<int>(section.chapters.size()) ? ChapterRef{ref.section, ref.chapter + 1}
                                                                           : ChapterRef{ref.section + 1, 1};
            if (next.section > SECTION_COUNT) next = {SECTION_COUNT + 1, 0};
        }
        corpus->lessons.push_back(std::move(plan));
    }
    if (corpus->lessons.size() != LESSON_COUNT)
        return Fail(error, path + ": " + std::to_string(corpus->lessons.size()) + " lessons instead of " +
                               std::to_string(LESSON_COUNT));
    if (next.section != SECTION_COUNT + 1)
        return Fail(error, path + ": the lessons stop before chapter " + std::to_string(next.section) + ":" +
                               std::to_string(next.chapter));
    return true;
}

}  // namespace

bool IsIntroPart(int section)
{
    return section >= 1 && section <= INTRO_PART_COUNT;
}

bool ReadCorpus(const std::string& dir, Corpus* corpus, std::string* error)
{
    *corpus = Corpus();
    error->clear();
    corpus->sections.resize(SECTION_COUNT);
    for (int s = 1; s <= SECTION_COUNT; ++s) {
        if (!ReadSection(dir, s, &corpus->sections[s - 1], error)) return false;
        if (!ReadPreamble(dir, &corpus->sections[s - 1], error)) return false;
    }
    return ReadBooks(dir, corpus, error) && ReadLessons(dir, corpus, error);
}
