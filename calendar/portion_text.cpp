// Chapter blocks found in the compiled lessons, and a portion's text built
// from them. The blocks of a lesson are parted by its rules; the four opening
// lessons hold one part each, read in thirds where the published
// one-chapter table cuts them.
#include "calendar/portion_text.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "calendar/portion_schedule.h"
#include "content/lesson_store.h"
#include "text/letter_code.h"
#include "text/text_format.h"

namespace {

constexpr uint8_t STYLE_SECTION_OPENING = 0xD4;
constexpr uint8_t STYLE_CHAPTER_HEADING = 0xD8;
constexpr int OPENING_LESSONS = 4;

// Where the thirds of the opening lessons begin, in reading order: the
// second third, then the third. Each stands at a record's start except
// where the table cuts inside a paragraph of the introduction.
struct ThirdCut {
    const char* phrase;  // UTF-8
    bool inside;         // at a sentence inside a record
};
const ThirdCut THIRD_CUTS[OPENING_LESSONS][2] = {
    {{"כל אלו החכמים הנזכרים", false}, {"אבל כל הדברים שבגמרא", true}},
    {{"פד להקריב כל הקרבנות", false}, {"קסז לשבות בשמיני של חג", false}},
    {{"קכג שלא להוציא מבשר הפסח", false}, {"רמה שלא לגזול", false}},
    {{"ספר קדושה", false}, {"ספר טהרה", false}},
};
const char* const THIRD_NAMES[3] = {"חלק א", "חלק ב", "חלק ג"};

size_t NextRecord(const uint8_t* text, size_t at)
{
    return at + 2 + std::strlen(reinterpret_cast<const char*>(text + at + 2)) + 1;
}

bool IsRule(uint8_t style) { return (style & STYLE_KIND_MASK) == STYLE_RULE; }

// A record's text in reading order, as letter code.
std::string Reading(const uint8_t* text, size_t at)
{
    std::string s(reinterpret_cast<const char*>(text + at + 2));
    if (text[at] & STYLE_REVERSED) FlipReadingOrder(s);
    return s;
}

std::string Stored(uint8_t style, std::string reading)
{
    if (style & STYLE_REVERSED) FlipReadingOrder(reading);
    return reading;
}

std::string Code(const char* utf8)
{
    std::string code;
    Utf8ToLetterCode(utf8, code);
    return code;
}

// The cut for phrase at or after from, before end; false when it is not there.
bool FindCut(const uint8_t* text, size_t from, size_t end, const ThirdCut& cut, TextCut* out)
{
    std::string phrase = Code(cut.phrase);
    for (size_t at = from; at < end; at = NextRecord(text, at)) {
        if (IsRule(text[at])) continue;
        std::string reading = Reading(text, at);
        size_t found = reading.rfind(phrase, 0);
        if (cut.inside) {
            found = reading.find(". " + phrase);
            if (found == std::string::npos) found = reading.find(": " + phrase);
            if (found != std::string::npos) found += 2;
        }
        if (found == std::string::npos || (!cut.inside && found != 0)) continue;
        *out = {uint16_t(at), uint16_t(found)};
        return true;
    }
    return false;
}

void Append(std::vector<uint8_t>& out, uint8_t style, uint8_t param, const std::string& stored)
{
    out.push_back(style);
    out.push_back(param);
    out.insert(out.end(), stored.begin(), stored.end());
    out.push_back(0);
}

// Part of a record's text, reading letters [begin, end), as a record of its own.
void AppendSplit(std::vector<uint8_t>& out, const uint8_t* text, size_t at, size_t begin, size_t end)
{
    std::string reading = Reading(text, at);
    end = std::min(end, reading.size());
    std::string part = reading.substr(begin, end - begin);
    while (!part.empty() && part.back() == ' ') part.pop_back();
    Append(out, text[at], text[at + 1], Stored(text[at], part));
}

// The block's records into out; whole records are noted in layout.
void AppendBlock(std::vector<uint8_t>& out, const uint8_t* text, int lesson, const BlockSpan& b, PortionLayout* layout)
{
    size_t at = b.from.record;
    size_t end = b.to.record;
    if (b.from.split) {
        AppendSplit(out, text, at, b.from.split, at == end && b.to.split ? b.to.split : SIZE_MAX);
        if (at == end) return;
        at = NextRecord(text, at);
    }
    if (at < end && layout && layout->count < MAX_LESSON_BLOCKS)
        layout->pieces[layout->count++] = {lesson, uint16_t(at), uint16_t(end), uint16_t(out.size())};
    out.insert(out.end(), text + at, text + end);
    if (b.to.split) AppendSplit(out, text, end, 0, b.to.split);
}

// The section a block belongs to: its own section opening, else the one
// before it, else the first the lesson's title names.
struct BlockNames {
    std::string section;  // reading order
    std::string chapter;
};

std::vector<BlockNames> NameBlocks(int lesson, const uint8_t* text, const BlockSpan* blocks, int count)
{
    std::string title = Reading(text, 0);
    std::string section = title.substr(0, title.find(Code(" - ")));
    std::vector<BlockNames> names;
    for (int i = 0; i < count; ++i) {
        BlockNames n{section, {}};
        size_t end = blocks[i].to.record + (blocks[i].to.split ? 1 : 0);
        for (size_t at = blocks[i].from.record; at < end; at = NextRecord(text, at)) {
            if (text[at] == STYLE_SECTION_OPENING && !blocks[i].from.split) n.section = section = Reading(text, at);
            if (text[at] == STYLE_CHAPTER_HEADING && n.chapter.empty()) n.chapter = Reading(text, at);
        }
        if (lesson <= OPENING_LESSONS) n.chapter = Code(THIRD_NAMES[i % 3]);
        names.push_back(n);
    }
    return names;
}

// Whether offset (a byte of the lesson text) comes before the cut in reading order.
bool Before(const uint8_t* text, size_t offset, const TextCut& cut)
{
    if (offset < cut.record) return true;
    if (!cut.split) return false;
    if (offset < cut.record + 2U) return true;
    size_t n = NextRecord(text, cut.record) - cut.record - 3;
    size_t letter = offset - cut.record - 2;
    if (letter >= n) return false;
    if (text[cut.record] & STYLE_REVERSED) letter = n - 1 - letter;
    return letter < cut.split;
}

struct LessonBlocks {
    const uint8_t* text;
    int lesson;
    int count;
    BlockSpan blocks[MAX_LESSON_BLOCKS];
    std::vector<BlockNames> names;   // named once a lesson, not once a block
};

bool ReadBlocks(LessonBlocks& l, int lesson, const uint8_t* text)
{
    l.text = text;
    l.lesson = lesson;
    l.count = text ? FindLessonBlocks(lesson, text, l.blocks, MAX_LESSON_BLOCKS) : -1;
    if (l.count != BlockCountOfLesson(lesson)) return false;
    l.names = NameBlocks(lesson, text, l.blocks, l.count);
    return true;
}

}  // namespace

int FindLessonBlocks(int lesson, const uint8_t* text, BlockSpan* blocks, int capacity)
{
    // Two title records, then at least one record of text.
    if (!text[0] || IsRule(text[0])) return -1;
    size_t at = NextRecord(text, 0);
    if (!text[at] || IsRule(text[at])) return -1;
    at = NextRecord(text, at);
    int count = 0;
    size_t start = at;
    for (;; at = NextRecord(text, at)) {
        if (text[at] && !IsRule(text[at])) continue;
        if (at > 0xFFFF || count == capacity) return -1;
        if (at > start) blocks[count++] = {{uint16_t(start), 0}, {uint16_t(at), 0}};
        if (!text[at]) break;
        start = NextRecord(text, at);
    }
    if (lesson < 1 || lesson > OPENING_LESSONS || count != 1) return count;
    if (capacity < 3) return -1;
    TextCut second, third;
    size_t end = blocks[0].to.record;
    if (!FindCut(text, blocks[0].from.record, end, THIRD_CUTS[lesson - 1][0], &second) ||
        !FindCut(text, second.record + (second.split ? 1 : 0), end, THIRD_CUTS[lesson - 1][1], &third))
        return -1;
    blocks[2] = {third, blocks[0].to};
    blocks[1] = {second, third};
    blocks[0].to = second;
    return 3;
}

uint8_t* BuildPortionText(int portion, const uint8_t* first, const uint8_t* second, PortionLayout* layout)
{
    BlockRange range = BlocksOfPortion(portion);
    int lesson = LessonOfBlock(range.first);
    LessonBlocks lessons[2];
    if (!ReadBlocks(lessons[0], lesson, first)) return nullptr;
    int lastLesson = LessonOfBlock(range.first + range.count - 1);
    if (lastLesson != lesson && !ReadBlocks(lessons[1], lastLesson, second)) return nullptr;

    std::vector<BlockNames> names;
    std::vector<uint8_t> out;
    if (layout) layout->count = 0;
    std::string rule;
    for (int b = range.first; b < range.first + range.count; ++b) {
        LessonBlocks& l = lessons[LessonOfBlock(b) == lesson ? 0 : 1];
        int i = b - FirstBlockOfLesson(l.lesson);
        names.push_back(l.names[i]);
        // Blocks of one day are parted as the lessons part them.
        if (i + 1 < l.count && rule.empty()) {
            size_t r = l.blocks[i].to.record;
            rule.assign(reinterpret_cast<const char*>(l.text + r), NextRecord(l.text, r) - r);
        }
        if (b > range.first) out.insert(out.end(), rule.begin(), rule.end());
        AppendBlock(out, l.text, l.lesson, l.blocks[i], layout);
    }
    std::string chapter = names.front().chapter;
    if (names.size() > 1) chapter += Code(" - ") + names.back().chapter;
    std::vector<uint8_t> head;
    Append(head, STYLE_HEADING, 0, Stored(STYLE_HEADING, names.front().section));
    Append(head, STYLE_SUBHEADING, 0, Stored(STYLE_SUBHEADING, chapter));
    if (layout)
        for (int i = 0; i < layout->count; ++i) layout->pieces[i].at = uint16_t(layout->pieces[i].at + head.size());
    out.insert(out.begin(), head.begin(), head.end());
    out.push_back(0);
    if (out.size() > 0xFFFF) return nullptr;
    auto* text = static_cast<uint8_t*>(std::malloc(out.size() + LESSON_TEXT_PADDING));
    if (!text) return nullptr;
    std::memcpy(text, out.data(), out.size());
    std::memset(text + out.size(), 0, LESSON_TEXT_PADDING);
    return text;
}

uint8_t* LoadPortion(int portion, int32_t* reason, PortionLayout* layout)
{
    if (portion < 1 || portion > PORTION_COUNT) {
        if (reason) *reason = LOAD_NO_RESOURCE;
        return nullptr;
    }
    BlockRange range = BlocksOfPortion(portion);
    int lesson = LessonOfBlock(range.first);
    int last = LessonOfBlock(range.first + range.count - 1);
    uint8_t* first = LoadLesson(lesson, reason);
    uint8_t* second = last != lesson && first ? LoadLesson(last, reason) : nullptr;
    uint8_t* text = first && (last == lesson || second) ? BuildPortionText(portion, first, second, layout) : nullptr;
    if (!text && first && (last == lesson || second) && reason) *reason = LOAD_BAD_RECORD;
    std::free(first);
    std::free(second);
    return text;
}

int PortionOfLessonOffset(int lesson, const uint8_t* text, uint16_t offset)
{
    LessonBlocks l;
    if (!ReadBlocks(l, lesson, text)) return 0;
    int i = 0;
    while (i + 1 < l.count && !Before(text, offset, l.blocks[i + 1].from)) ++i;
    return PortionOfBlock(FirstBlockOfLesson(lesson) + i);
}

int PortionOffsetOf(const PortionLayout& layout, int lesson, uint16_t offset)
{
    for (int i = 0; i < layout.count; ++i) {
        const PortionPiece& p = layout.pieces[i];
        if (p.lesson == lesson && offset >= p.from && offset < p.to) return p.at + (offset - p.from);
    }
    return -1;
}
