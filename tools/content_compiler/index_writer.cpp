#include "tools/content_compiler/index_writer.h"

#include "tools/content_compiler/hebrew_numeral.h"
#include "tools/content_compiler/lesson_writer.h"
#include "tools/content_compiler/letter_text.h"

namespace {

constexpr int END_MARK_SIZE = 5;

void AppendEntry(std::vector<uint8_t>& out, uint16_t key, uint8_t flags, uint8_t level, const std::string& caption)
{
    out.push_back(static_cast<uint8_t>(key & 0xFF));
    out.push_back(static_cast<uint8_t>(key >> 8));
    out.push_back(flags);
    out.push_back(level);
    std::string stored = DisplayOrder(caption);
    out.insert(out.end(), stored.begin(), stored.end());
    out.push_back(0);
}

// Lessons listed under a section: those whose first chapter lies in it.
std::vector<const LessonPlan*> LessonsStartingIn(const Corpus& corpus, int section)
{
    std::vector<const LessonPlan*> found;
    for (const LessonPlan& plan : corpus.lessons)
        if (!plan.chapters.empty() && plan.chapters.front().section == section) found.push_back(&plan);
    return found;
}

}  // namespace

std::string LessonCaption(const Corpus& corpus, const LessonPlan& plan)
{
    std::string caption;
    for (const SectionSpan& span : GroupBySection(plan)) {
        if (!caption.empty()) caption += Code(u", ");
        const Section& section = corpus.sections[span.section - 1];
        if (IsIntroPart(span.section)) {
            caption += section.title;
            continue;
        }
        caption += ShortTitle(section.title) + ' ' + HebrewNumeral(span.firstChapter);
        if (span.lastChapter != span.firstChapter) caption += '-' + HebrewNumeral(span.lastChapter);
    }
    return caption;
}

std::vector<uint8_t> BuildIndexText(const Corpus& corpus)
{
    std::vector<uint8_t> out;
    for (const Book& book : corpus.books) {
        AppendEntry(out, KEY_BRANCH | (BOOK_KEY_BASE + book.number), FLAG_VISIBLE | ENTRY_STYLE_BOOK, 1, book.title);
        for (int s = book.firstSection; s <= book.lastSection; ++s) {
            std::vector<const LessonPlan*> lessons = LessonsStartingIn(corpus, s);
            // A section read wholly inside a lesson begun earlier has no children.
            uint16_t key = (lessons.empty() ? 0 : KEY_BRANCH) | (SECTION_KEY_BASE + s);
            AppendEntry(out, key, ENTRY_STYLE_SECTION, 2, corpus.sections[s - 1].title);
            for (const LessonPlan* plan : lessons)
                AppendEntry(out, KEY_LINK | plan->number, ENTRY_STYLE_LESSON, 3, LessonCaption(corpus, *plan));
        }
    }
    out.insert(out.end(), END_MARK_SIZE, 0);
    return out;
}
