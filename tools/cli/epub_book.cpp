#include "tools/cli/epub_book.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "calendar/portion_schedule.h"
#include "calendar/portion_text.h"
#include "calendar/schedule.h"
#include "content/lesson_store.h"
#include "settings/settings.h"
#include "tools/cli/lesson_html.h"
#include "tools/cli/replace_file.h"

namespace {

const char STYLESHEET_NAME[] = "style.css";

// As the README's "The text and its terms" states them.
const char* const SOURCES[] = {
    "The introduction and sections 05..88: the Torat Emet library's edition, as exported to HTML in the "
    "public repository pcinfogmach/ToratEmetBooks (commit 48422120278c0f6bf121aa07d9639d333293b2fb): its "
    "unvocalized edition for books 2..14 and the introduction, its vocalized edition with the vowel points "
    "removed for book 1. The same edition is published on Sefaria as \"Torat Emet 363\".",
    "Sections 02..04 (the two lists of commandments and the overview of the books): Sefaria's text of these "
    "parts, taken from Hebrew Wikisource, vowel points and parenthesised verse references removed.",
};
const char TERMS[] =
    "The work itself is a medieval text in the public domain. The Wikisource-derived parts are distributed "
    "under CC BY-SA 3.0 \xE2\x80\x94 credit: Hebrew Wikisource contributors, via Sefaria.";

const char* const ACCESSIBILITY[] = {
    "property=\"schema:accessMode\">textual",
    "property=\"schema:accessModeSufficient\">textual",
    "property=\"schema:accessibilityFeature\">structuralNavigation",
    "property=\"schema:accessibilityFeature\">tableOfContents",
    "property=\"schema:accessibilityFeature\">readingOrder",
    "property=\"schema:accessibilityHazard\">none",
    "property=\"schema:accessibilitySummary\">Text only: each day's lesson in Hebrew, right to left, as "
    "headings and numbered paragraphs in reading order, under a table of contents by Hebrew month. No "
    "images, sound or page numbers of a printed edition.",
    "property=\"dcterms:conformsTo\">EPUB Accessibility 1.1 - WCAG 2.1 Level AA",
    "property=\"a11y:certifiedBy\">Quorin",
};

struct FreeText {
    void operator()(uint8_t* p) const { std::free(p); }
};
using Text = std::unique_ptr<uint8_t, FreeText>;

std::string ChapterName(int n)
{
    char name[32];
    std::snprintf(name, sizeof name, "day-%04d.xhtml", n);
    return name;
}

std::string Escaped(std::string_view text)
{
    std::string out;
    AppendEscaped(out, text);
    return out;
}

std::string RangeText(const DayLine& first, const DayLine& last, bool hebrew)
{
    const std::string& a = hebrew ? first.hebrew : first.gregorian;
    const std::string& b = hebrew ? last.hebrew : last.gregorian;
    return a == b ? a : a + " \xE2\x80\x93 " + b;
}

std::string Container()
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<container version=\"1.0\" xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">\n"
           "<rootfiles>\n<rootfile full-path=\"OEBPS/content.opf\" media-type=\"application/oebps-package+xml\"/>\n"
           "</rootfiles>\n</container>\n";
}

std::string Package(const std::vector<DayLine>& days, const std::string& title)
{
    const DayLine& first = days.front();
    std::string opf =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" unique-identifier=\"book-id\" "
        "xml:lang=\"he\" dir=\"rtl\">\n<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n";
    opf += "<dc:identifier id=\"book-id\">quorin-lessons-" + first.gregorian + "-" + std::to_string(days.size()) +
           "</dc:identifier>\n";
    opf += "<dc:title>" + Escaped(title) + "</dc:title>\n<dc:language>he</dc:language>\n";
    opf += "<dc:publisher>Quorin</dc:publisher>\n";
    for (const char* source : SOURCES) opf += "<dc:source>" + Escaped(source) + "</dc:source>\n";
    opf += "<dc:rights>" + Escaped(TERMS) + "</dc:rights>\n";
    // What a reader who cannot see the page needs to know before opening
    // it: text alone, navigable by headings and contents, nothing that
    // flashes. The book has no print edition, so no page list.
    for (const char* meta : ACCESSIBILITY) opf += std::string("<meta ") + meta + "</meta>\n";
    // The first day stands for the time: the same days make the same book.
    opf += "<meta property=\"dcterms:modified\">" + first.gregorian + "T00:00:00Z</meta>\n</metadata>\n<manifest>\n";
    opf += "<item id=\"nav\" href=\"nav.xhtml\" media-type=\"application/xhtml+xml\" properties=\"nav\"/>\n"
           "<item id=\"css\" href=\"style.css\" media-type=\"text/css\"/>\n"
           "<item id=\"cover\" href=\"cover.xhtml\" media-type=\"application/xhtml+xml\"/>\n";
    for (size_t i = 1; i <= days.size(); ++i)
        opf += "<item id=\"d" + std::to_string(i) + "\" href=\"" + ChapterName(int(i)) +
               "\" media-type=\"application/xhtml+xml\"/>\n";
    opf += "<item id=\"terms\" href=\"terms.xhtml\" media-type=\"application/xhtml+xml\"/>\n</manifest>\n"
           "<spine page-progression-direction=\"rtl\">\n<itemref idref=\"cover\"/>\n<itemref idref=\"nav\"/>\n";
    for (size_t i = 1; i <= days.size(); ++i) opf += "<itemref idref=\"d" + std::to_string(i) + "\"/>\n";
    opf += "<itemref idref=\"terms\"/>\n</spine>\n</package>\n";
    return opf;
}

void AppendNavLink(std::string& out, const std::string& href, std::string_view text)
{
    out += "<li><a href=\"" + href + "\">";
    AppendEscaped(out, text);
    out += "</a></li>\n";
}

// The days under their Hebrew months, the cover before them, the terms after.
std::string Navigation(const std::vector<DayLine>& days, const std::string& title)
{
    std::string nav;
    AppendPageStart(nav, title, STYLESHEET_NAME);
    nav += "<nav epub:type=\"toc\" role=\"doc-toc\" id=\"toc\">\n<h1>\xD7\xAA\xD7\x95\xD7\x9B\xD7\x9F</h1>\n<ol>\n";
    AppendNavLink(nav, "cover.xhtml", title);
    for (size_t i = 0; i < days.size(); ++i) {
        if (!i || days[i].month != days[i - 1].month) {
            if (i) nav += "</ol></li>\n";
            nav += "<li><span>";
            AppendEscaped(nav, days[i].month);
            nav += "</span>\n<ol>\n";
        }
        AppendNavLink(nav, ChapterName(int(i + 1)), DayTitle(days[i]));
    }
    nav += "</ol></li>\n";
    AppendNavLink(nav, "terms.xhtml", "Source and terms");
    nav += "</ol>\n</nav>\n<nav epub:type=\"landmarks\" id=\"landmarks\" hidden=\"hidden\">\n<ol>\n"
           "<li><a epub:type=\"cover\" href=\"cover.xhtml\">cover</a></li>\n"
           "<li><a epub:type=\"toc\" href=\"nav.xhtml\">toc</a></li>\n"
           "<li><a epub:type=\"bodymatter\" href=\"" +
           ChapterName(1) + "\">lessons</a></li>\n</ol>\n</nav>\n";
    AppendPageEnd(nav);
    return nav;
}

std::string Cover(const std::vector<DayLine>& days, const std::string& title)
{
    std::string page;
    AppendPageStart(page, title, STYLESHEET_NAME);
    // No epub:type: its role (doc-cover) belongs to a picture.
    page += "<section class=\"cover\">\n<h1>Quorin</h1>\n<p>";
    AppendEscaped(page, RangeText(days.front(), days.back(), true));
    // Gregorian dates read left to right, first day first.
    page += "</p>\n<p dir=\"ltr\">";
    AppendEscaped(page, RangeText(days.front(), days.back(), false));
    page += "</p>\n</section>\n";
    AppendPageEnd(page);
    return page;
}

std::string TermsPage()
{
    std::string page;
    AppendPageStart(page, "Source and terms", STYLESHEET_NAME, "en");
    page += "<section epub:type=\"colophon\" role=\"doc-colophon\">\n<h2>The text and its terms</h2>\n";
    for (const char* source : SOURCES) page += "<p>" + Escaped(source) + "</p>\n";
    page += "<p>" + Escaped(TERMS) + "</p>\n</section>\n";
    AppendPageEnd(page);
    return page;
}

}  // namespace

bool BuildEpubFiles(int32_t first, int days, int track, std::vector<BookFile>& files, std::string& error)
{
    Text index(LoadLesson(INDEX_LESSON, nullptr));
    if (!index) {
        error = "the table of contents does not load";
        return false;
    }
    std::vector<DayLine> lines;
    for (int i = 0; i < days; ++i) lines.push_back(DescribeDay(first + i, index.get()));
    // Past one cycle the readings come round again: each is made once.
    bool portions = track == TRACK_ONE;
    std::vector<Text> texts(portions ? PORTION_COUNT + 1 : LESSON_COUNT + 1);
    for (int i = 0; i < days; ++i) {
        int number = portions ? PortionOfDay(first + i) : lines[i].lesson;
        Text& text = texts[number];
        if (!text) text.reset(portions ? LoadPortion(number, nullptr) : LoadLesson(number, nullptr));
        if (!text) {
            error = (portions ? "portion " : "lesson ") + std::to_string(number) + " does not load";
            return false;
        }
        if (portions) NamePortion(lines[i], number, text.get());
    }
    std::string title = "Quorin " + RangeText(lines.front(), lines.back(), false);

    files.clear();
    files.push_back({"mimetype", "application/epub+zip"});
    files.push_back({"META-INF/container.xml", Container()});
    files.push_back({"OEBPS/content.opf", Package(lines, title)});
    files.push_back({"OEBPS/nav.xhtml", Navigation(lines, title)});
    files.push_back({std::string("OEBPS/") + STYLESHEET_NAME, LESSON_STYLESHEET});
    files.push_back({"OEBPS/cover.xhtml", Cover(lines, title)});
    for (int i = 0; i < days; ++i) {
        const Text& text = texts[portions ? lines[i].portion : lines[i].lesson];
        files.push_back({"OEBPS/" + ChapterName(i + 1), DayPage(lines[i], text.get(), STYLESHEET_NAME)});
    }
    files.push_back({"OEBPS/terms.xhtml", TermsPage()});
    return true;
}

bool WriteEpub(const std::string& path, int32_t first, int days, int track, std::string& error)
{
    std::vector<BookFile> files;
    std::string zipped;
    return BuildEpubFiles(first, days, track, files, error) && ZipEpub(files, first, zipped, error) &&
           ReplaceFile(path, zipped, error);
}
