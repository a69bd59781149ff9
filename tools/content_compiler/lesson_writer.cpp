// Lays the corpus out as lesson records. Every choice about how the text
// reads on screen is made here, never by editing the text.
#include "tools/content_compiler/lesson_writer.h"

#include "tools/content_compiler/hebrew_numeral.h"
#include "tools/content_compiler/letter_text.h"

namespace {

// How an introductory part is shown: running prose, or a list whose lines
// are counted (the two lists of commandments).
enum class PartKind { Prose, NumberedList };
constexpr PartKind INTRO_PART_KINDS[INTRO_PART_COUNT] = {
    PartKind::Prose, PartKind::NumberedList, PartKind::NumberedList, PartKind::Prose};

// Chapters whose first line is their own heading instead of "פרק" and a
// numeral; chapter 0 stands for every chapter of the section.
struct OwnHeading {
    int section, chapter;
};
constexpr OwnHeading OWN_HEADINGS[] = {{16, 0}, {21, 9}};

bool HasOwnHeading(int section, int chapter)
{
    for (const OwnHeading& h : OWN_HEADINGS)
        if (h.section == section && (h.chapter == 0 || h.chapter == chapter)) return true;
    return false;
}

void AppendRecord(std::vector<uint8_t>& out, uint8_t style, uint8_t param, const std::string& readingText)
{
    out.push_back(style);
    out.push_back(param);
    std::string stored = DisplayOrder(readingText);
    out.insert(out.end(), stored.begin(), stored.end());
    out.push_back(0);
}

// The label is the paragraph's first word. An empty text gets no trailing
// space: stored reversed, the record would start with it and read as a
// continuation paragraph without a label.
void AppendLabelled(std::vector<uint8_t>& out, const std::string& label, const std::string& text)
{
    if (label.empty()) {  // past the numerals' range: no label rather than a wrong one
        AppendRecord(out, STYLE_PARAGRAPH, 0, text);
        return;
    }
    AppendRecord(out, STYLE_PARAGRAPH, PARAM_LABELLED, text.empty() ? label : label + ' ' + text);
}

void AppendRule(std::vector<uint8_t>& out)
{
    out.push_back(STYLE_RULE);
    out.push_back(RULE_LENGTH);
    out.push_back(0);
}

bool IsSentence(const std::string& line)
{
    return line.find_first_of(".,:;") != std::string::npos;
}

// Position of mark at a word start at or after from, followed by a space or
// the end of the line; npos when there is none.
size_t FindMark(const std::string& line, const std::string& mark, size_t from)
{
    for (size_t at = line.find(mark, from); at != std::string::npos; at = line.find(mark, at + 1)) {
        size_t after = at + mark.size();
        if ((at == 0 || line[at - 1] == ' ') && (after == line.size() || line[after] == ' ')) return at;
    }
    return std::string::npos;
}

std::string Trimmed(const std::string& s, size_t from, size_t to)
{
    size_t first = s.find_first_not_of(' ', from);
    if (first == std::string::npos || first >= to) return {};
    size_t last = s.find_last_not_of(' ', to - 1);
    return s.substr(first, last + 1 - first);
}

void AppendSectionOpening(std::vector<uint8_t>& out, const Section& section)
{
    AppendRecord(out, STYLE_SECTION_TITLE, 0, section.title);
    for (const std::string& line : section.preamble) {
        std::string lead;
        std::vector<ListItem> items = SplitEnumeration(line, &lead);
        if (!lead.empty()) AppendRecord(out, STYLE_PARAGRAPH, 0, lead);
        for (const ListItem& item : items) AppendLabelled(out, item.label, item.text);
    }
}

void AppendIntroPart(std::vector<uint8_t>& out, const Section& section, int number)
{
    PartKind kind = INTRO_PART_KINDS[section.number - 1];
    int running = 0;
    for (const std::string& line : section.chapters[number - 1].paragraphs) {
        std::string label, rest;
        if (kind == PartKind::Prose)
            AppendRecord(out, IsSentence(line) ? STYLE_PARAGRAPH : STYLE_SUBHEADING, 0, line);
        else if (SplitLeadingMark(line, &label, &rest))
            AppendLabelled(out, label, rest);
        else
            AppendLabelled(out, HebrewNumeral(++running), line);
    }
}

void AppendChapter(std::vector<uint8_t>& out, const Section& section, int number)
{
    const std::vector<std::string>& lines = section.chapters[number - 1].paragraphs;
    size_t first = 0;
    if (HasOwnHeading(section.number, number))
        AppendRecord(out, STYLE_CHAPTER_HEADING, 0, lines[first++]);
    else
        AppendRecord(out, STYLE_CHAPTER_HEADING, 0, Code(u"פרק ") + HebrewNumeral(number));
    for (size_t i = first; i < lines.size(); ++i)
        AppendLabelled(out, HebrewNumeral(static_cast<int>(i - first + 1)), lines[i]);
}

}  // namespace

std::vector<ListItem> SplitEnumeration(const std::string& line, std::string* lead)
{
    std::vector<ListItem> items;
    std::string mark = HebrewNumeral(1) + ')';
    size_t at = FindMark(line, mark, 0);
    *lead = Trimmed(line, 0, at == std::string::npos ? line.size() : at);
    for (int k = 1; at != std::string::npos; ++k) {
        std::string nextMark = HebrewNumeral(k + 1) + ')';
        size_t next = FindMark(line, nextMark, at + mark.size());
        items.push_back({mark, Trimmed(line, at + mark.size(), next == std::string::npos ? line.size() : next)});
        mark = nextMark;
        at = next;
    }
    return items;
}

bool SplitLeadingMark(const std::string& line, std::string* label, std::string* rest)
{
    size_t space = line.find(' ');
    std::string first = line.substr(0, space);
    std::string after = space == std::string::npos ? std::string() : Trimmed(line, space, line.size());
    if (first.size() > 1 && (first.back() == ')' || first.back() == '.') &&
        HebrewNumeralValue(first.substr(0, first.size() - 1)) > 0) {
        *label = first;
        *rest = after;
        return true;
    }
    // "א .אלו": the mark's full stop has slipped onto the next word.
    if (HebrewNumeralValue(first) > 0 && after.size() > 1 && after[0] == '.' && after[1] != ' ' &&
        after[1] != '.') {
        *label = first + '.';
        *rest = after.substr(1);
        return true;
    }
    return false;
}

std::vector<SectionSpan> GroupBySection(const LessonPlan& plan)
{
    std::vector<SectionSpan> spans;
    for (const ChapterRef& ref : plan.chapters) {
        if (!spans.empty() && spans.back().section == ref.section)
            spans.back().lastChapter = ref.chapter;
        else
            spans.push_back({ref.section, ref.chapter, ref.chapter});
    }
    return spans;
}

std::string ShortTitle(const std::string& title)
{
    std::string prefix = Code(u"הלכות ");
    return StartsWith(title, prefix) && title.size() > prefix.size() ? title.substr(prefix.size()) : title;
}

const Book& BookOf(const Corpus& corpus, int section)
{
    for (const Book& book : corpus.books)
        if (section >= book.firstSection && section <= book.lastSection) return book;
    return corpus.books.front();  // the reader guarantees every section has its book
}

std::string LessonTitleText(const Corpus& corpus, const LessonPlan& plan)
{
    std::string text;
    for (const SectionSpan& span : GroupBySection(plan)) {
        if (!text.empty()) text += Code(u" - ");
        text += corpus.sections[span.section - 1].title;
    }
    return text;
}

std::string LessonChaptersText(const Corpus& corpus, const LessonPlan& plan)
{
    std::string text;
    for (const SectionSpan& span : GroupBySection(plan)) {
        if (!text.empty()) text += Code(u", ");
        // A whole introductory part has no chapters to name; its book does.
        if (IsIntroPart(span.section)) {
            text += BookOf(corpus, span.section).title;
            continue;
        }
        text += Code(u"פרק ") + HebrewNumeral(span.firstChapter);
        if (span.lastChapter != span.firstChapter) text += Code(u" - פרק ") + HebrewNumeral(span.lastChapter);
    }
    return text;
}

std::vector<uint8_t> BuildLesson(const Corpus& corpus, const LessonPlan& plan)
{
    std::vector<uint8_t> out;
    AppendRecord(out, STYLE_LESSON_TITLE, 0, LessonTitleText(corpus, plan));
    AppendRecord(out, STYLE_LESSON_CHAPTERS, 0, LessonChaptersText(corpus, plan));
    for (size_t i = 0; i < plan.chapters.size(); ++i) {
        const ChapterRef& ref = plan.chapters[i];
        const Section& section = corpus.sections[ref.section - 1];
        if (i > 0) AppendRule(out);
        if (ref.chapter == 1) AppendSectionOpening(out, section);
        if (IsIntroPart(section.number))
            AppendIntroPart(out, section, ref.chapter);
        else
            AppendChapter(out, section, ref.chapter);
    }
    out.push_back(0);
    return out;
}
