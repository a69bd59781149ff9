// A lesson as plain UTF-8 for a terminal.
#include "tools/cli/reading_text.h"

#include <algorithm>

#include "text/letter_code.h"
#include "text/text_format.h"

namespace {

std::string Trimmed(std::string_view s)
{
    size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    size_t last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

std::string Spaces(size_t n) { return std::string(n, ' '); }

void AddCentred(std::string& out, const std::string& line, int width)
{
    int pad = (width - static_cast<int>(CountChars(line))) / 2;
    out += Spaces(pad > 0 ? pad : 0) + line + '\n';
}

// A rule as dashes: a share of the width when the record gives one, the
// whole width for a length in pixels (a terminal has no pixels to match).
void AddRule(std::string& out, const ReadingRecord& r, int width)
{
    if (!r.parameter) return;
    int length = width;
    if (r.parameter > RULE_PIXELS_MAX) length = std::max(1, (r.parameter - RULE_PIXELS_MAX) * 2 * width / 100);
    length = std::min(length, width);
    std::string dashes(length, '-');
    if ((r.style & STYLE_ALIGN_MASK) == STYLE_ALIGN_CENTER)
        AddCentred(out, dashes, width);
    else
        out += dashes + '\n';
}

void AddHeading(std::string& out, const std::string& text, int width)
{
    for (const std::string& line : WrapWords(text, width - 6)) AddCentred(out, "== " + line + " ==", width);
}

// Lines after the first start under the text, not under the label.
void AddHanging(std::string& out, const std::string& label, const std::string& body, size_t hang, int width)
{
    std::vector<std::string> lines = WrapWords(body, width - static_cast<int>(hang));
    if (lines.empty()) lines.emplace_back();
    size_t labelChars = CountChars(label);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!i && !label.empty())
            out += lines[i].empty() ? label : label + Spaces(labelChars < hang ? hang - labelChars : 1);
        else if (!lines[i].empty())
            out += Spaces(hang);
        out += lines[i] + '\n';
    }
}

}  // namespace

std::string ReadingUtf8(std::string_view displayOrder)
{
    std::string text(displayOrder);
    FlipReadingOrder(text);
    return LetterCodeToUtf8(text);
}

const uint8_t* NextReadingRecord(const uint8_t* p, ReadingRecord& r)
{
    if (!*p) return nullptr;
    bool first = !r.next;
    r.style = p[0];
    r.parameter = p[1];
    std::string stored(reinterpret_cast<const char*>(p + 2));
    r.next = p + 2 + stored.size() + 1;
    r.rule = (r.style & STYLE_KIND_MASK) == STYLE_RULE;
    r.level = r.rule ? 0 : r.parameter >> PARAM_LABEL_SHIFT;
    r.continuation = r.level && !first && stored[0] == ' ';
    r.heading = !r.level && (r.style & STYLE_ALIGN_MASK) == STYLE_ALIGN_CENTER;
    r.label.clear();
    r.body.clear();
    if (r.rule) return r.next;
    if (r.style & STYLE_REVERSED) FlipReadingOrder(stored);
    r.body = LetterCodeToUtf8(Trimmed(stored));
    if (r.level && !r.continuation) {
        size_t space = r.body.find(' ');
        r.label = r.body.substr(0, space);
        r.body = space == std::string::npos ? std::string() : r.body.substr(space + 1);
    }
    return r.next;
}

size_t CountChars(std::string_view utf8)
{
    size_t n = 0;
    for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
    return n;
}

std::vector<std::string> WrapWords(std::string_view text, int width)
{
    std::vector<std::string> lines;
    std::string line;
    size_t lineChars = 0;
    size_t limit = width > 0 ? static_cast<size_t>(width) : 1;
    for (size_t at = 0; at < text.size();) {
        size_t start = text.find_first_not_of(' ', at);
        if (start == std::string_view::npos) break;
        size_t end = text.find(' ', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view word = text.substr(start, end - start);
        size_t wordChars = CountChars(word);
        if (lineChars && lineChars + 1 + wordChars > limit) {
            lines.push_back(std::move(line));
            line.clear();
            lineChars = 0;
        }
        if (lineChars) {
            line += ' ';
            ++lineChars;
        }
        line += word;
        lineChars += wordChars;
        at = end;
    }
    if (lineChars) lines.push_back(std::move(line));
    return lines;
}

std::string FormatLessonForReading(const uint8_t* text, int width)
{
    width = std::clamp(width, READING_MIN_WIDTH, READING_MAX_WIDTH);
    std::string out;
    size_t hang = 0;  // where the previous labelled paragraph's text ran
    ReadingRecord r;
    for (const uint8_t* p = text; (p = NextReadingRecord(p, r));) {
        size_t before = out.size();
        if (r.rule) {
            AddRule(out, r, width);
        } else if (r.continuation) {
            AddHanging(out, "", r.body, hang, width);
        } else if (r.level) {
            hang = std::max<size_t>(CountChars(r.label) + 1, r.level + 1);
            hang = std::min<size_t>(hang, width / 2);
            AddHanging(out, r.label, r.body, hang, width);
        } else if (r.heading) {
            AddHeading(out, r.body, width);
        } else {
            for (const std::string& line : WrapWords(r.body, width)) out += line + '\n';
        }
        // A record that drew nothing (a rule of length 0) has no spacer either.
        if ((r.style & STYLE_SPACER) && out.size() > before) out += '\n';
    }
    while (out.size() >= 2 && out[out.size() - 1] == '\n' && out[out.size() - 2] == '\n') out.pop_back();
    return out;
}
