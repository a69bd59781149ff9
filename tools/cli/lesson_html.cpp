#include "tools/cli/lesson_html.h"

#include <cstdio>

#include "calendar/calendar.h"
#include "calendar/date_text.h"
#include "calendar/schedule.h"
#include "index/index_text.h"
#include "settings/settings.h"
#include "text/text_format.h"
#include "tools/cli/reading_text.h"

// Face and size are the reading system's; the names only say what to take
// when it has no choice of its own. Headings stay with what follows them on
// paper and on paged readers alike.
const char LESSON_STYLESHEET[] =
    "html { font-family: \"Frank Ruehl CLM\", \"David CLM\", \"Noto Serif Hebrew\", \"Times New Roman\", serif; }\n"
    "body { line-height: 1.5; margin: 0 4%; }\n"
    "h1, h2, h3 { text-align: center; page-break-after: avoid; break-after: avoid; "
    "page-break-inside: avoid; break-inside: avoid; }\n"
    "h1 { font-size: 1.3em; margin: 0.5em 0 1em; }\n"
    "h1 span { display: block; }\n"
    "h1 .gregorian { font-size: 0.75em; font-weight: normal; }\n"
    "h2 { font-size: 1.25em; margin: 1em 0 0.4em; }\n"
    "h3 { font-size: 1.05em; margin: 0.8em 0 0.3em; }\n"
    ".accent { color: #0000c0; }\n"
    "p { margin: 0 0 0.5em; orphans: 2; widows: 2; }\n"
    "p.centre { text-align: center; }\n"
    "p.strong { font-weight: bold; }\n"
    "p.numbered, p.runon { padding-right: 2.2em; }\n"
    "p.numbered { text-indent: -2.2em; }\n"
    ".number { display: inline-block; min-width: 1.8em; font-weight: bold; text-indent: 0; }\n"
    "hr { width: 20%; margin: 1em auto; border: 0; border-top: 1px solid; }\n"
    ".cover { text-align: center; margin-top: 30%; }\n"
    ".cover h1 { font-size: 2em; }\n"
    ".cover p { text-align: center; font-size: 1.2em; }\n"
    "nav ol { list-style: none; padding-right: 1em; }\n";

namespace {

void AppendElement(std::string& out, const char* tag, const char* cls, std::string_view text)
{
    out += '<';
    out += tag;
    if (cls) out += std::string(" class=\"") + cls + '"';
    out += '>';
    AppendEscaped(out, text);
    out += "</";
    out += tag;
    out += ">\n";
}

void AppendRecordMarkup(std::string& out, const ReadingRecord& r)
{
    if (r.rule) {
        if (r.parameter) out += "<hr/>\n";
        return;
    }
    bool large = r.style & STYLE_LARGE, bold = r.style & STYLE_BOLD;
    bool accent = (r.style & STYLE_BLUE) == STYLE_BLUE;
    if (r.heading && (large || bold)) {
        AppendElement(out, large ? "h2" : "h3", accent ? "accent" : nullptr, r.body);
    } else if (r.level && !r.continuation) {
        // The number inside its paragraph, so no break can part them.
        out += "<p class=\"numbered\"><span class=\"number\">";
        AppendEscaped(out, r.label);
        out += "</span> ";
        AppendEscaped(out, r.body);
        out += "</p>\n";
    } else {
        AppendElement(out, "p", r.continuation ? "runon" : r.heading ? "centre" : bold ? "strong" : nullptr, r.body);
    }
}

}  // namespace

DayLine DescribeDay(int32_t day, const uint8_t* index)
{
    DayLine line;
    line.day = day;
    line.lesson = LessonOfDay(3, day);
    DateRec g = GregorianFromAbsolute(day);
    char iso[16];
    std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", g.year, g.month, g.day);
    line.gregorian = iso;
    DateRec h = HebrewFromAbsolute(day);
    uint8_t text[DATE_TEXT_SIZE] = {};
    int32_t length = FormatHebrewDate(&h, text);
    line.hebrew = ReadingUtf8({reinterpret_cast<const char*>(text), size_t(length)});
    // In reading order the day comes first, as one word.
    size_t space = line.hebrew.find(' ');
    if (space != std::string::npos) line.month = line.hebrew.substr(space + 1);
    IndexRecord entry;
    if (FindLessonRecord(index, static_cast<uint16_t>(line.lesson), &entry))
        line.caption = ReadingUtf8({reinterpret_cast<const char*>(entry.caption), entry.length});
    return line;
}

void NamePortion(DayLine& line, int portion, const uint8_t* portionText)
{
    line.portion = portion;
    line.caption.clear();
    ReadingRecord r;
    const uint8_t* p = portionText;
    for (int i = 0; i < 2 && (p = NextReadingRecord(p, r)); ++i)
        line.caption += (i ? ", " : "") + r.body;
}

std::string DayTitle(const DayLine& line)
{
    std::string title = line.hebrew + " \xC2\xB7 " + line.gregorian;
    if (!line.caption.empty()) title += " \xC2\xB7 " + line.caption;
    return title;
}

void AppendEscaped(std::string& out, std::string_view utf8)
{
    for (size_t i = 0; i < utf8.size(); ++i) {
        unsigned char c = utf8[i];
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            if (c < 0x20 && c != '\n' && c != '\t') break;
            // C1 controls (U+0080..U+009F) are no text either.
            if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
                ++i;
                break;
            }
            out += static_cast<char>(c);
        }
    }
}

void AppendLessonMarkup(std::string& out, const uint8_t* text)
{
    ReadingRecord r;
    for (const uint8_t* p = text; (p = NextReadingRecord(p, r));) AppendRecordMarkup(out, r);
}

void AppendDayHeading(std::string& out, const DayLine& line)
{
    out += "<h1><span class=\"hebrew\">";
    AppendEscaped(out, line.hebrew);
    out += "</span> <span class=\"gregorian\">";
    AppendEscaped(out, line.gregorian);
    out += "</span>";
    if (!line.caption.empty()) {
        out += " <span class=\"caption\">";
        AppendEscaped(out, line.caption);
        out += "</span>";
    }
    out += "</h1>\n";
}

void AppendPageStart(std::string& out, std::string_view title, const char* stylesheet, const char* lang)
{
    if (stylesheet) out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\"";
    if (stylesheet) out += " xmlns:epub=\"http://www.idpf.org/2007/ops\"";
    out += std::string(" lang=\"") + lang + "\" xml:lang=\"" + lang + "\" dir=\"" +
           (std::string_view(lang) == "he" ? "rtl" : "ltr") + "\">\n<head>\n<meta charset=\"utf-8\"/>\n<title>";
    AppendEscaped(out, title);
    out += "</title>\n";
    if (stylesheet)
        out += std::string("<link rel=\"stylesheet\" type=\"text/css\" href=\"") + stylesheet + "\"/>\n";
    else
        out += std::string("<style>\n") + LESSON_STYLESHEET + "</style>\n";
    out += "</head>\n<body>\n";
}

void AppendPageEnd(std::string& out)
{
    out += "</body>\n</html>\n";
}

std::string DayPage(const DayLine& line, const uint8_t* lesson, const char* stylesheet)
{
    std::string page;
    AppendPageStart(page, DayTitle(line), stylesheet);
    AppendDayHeading(page, line);
    AppendLessonMarkup(page, lesson);
    AppendPageEnd(page);
    return page;
}
