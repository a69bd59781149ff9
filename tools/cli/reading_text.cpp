// A lesson as plain UTF-8 for a terminal.
#include "tools/cli/reading_text.h"

#include <algorithm>

#include "text/letter_code.h"
#include "text/text_format.h"

namespace {

struct Record {
    uint8_t style;
    uint8_t parameter;
    std::string text;  // letter code as stored
};

// Reads the record at p into r; returns the next record, or nullptr at the end.
const uint8_t* NextRecord(const uint8_t* p, Record& r)
{
    if (!*p) return nullptr;
    r.style = p[0];
    r.parameter = p[1];
    r.text.assign(reinterpret_cast<const char*>(p + 2));
    return p + 2 + r.text.size() + 1;
}

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
void AddRule(std::string& out, const Record& r, int width)
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
    bool first = true;
    Record r;
    for (const uint8_t* p = text; (p = NextRecord(p, r)); first = false) {
        size_t before = out.size();
        if ((r.style & STYLE_KIND_MASK) == STYLE_RULE) {
            AddRule(out, r, width);
        } else {
            bool continuation = !first && r.text[0] == ' ';
            if (r.style & STYLE_REVERSED) FlipReadingOrder(r.text);
            std::string body = LetterCodeToUtf8(Trimmed(r.text));
            int level = r.parameter >> PARAM_LABEL_SHIFT;
            if (level && continuation) {
                AddHanging(out, "", body, hang, width);
            } else if (level) {
                size_t space = body.find(' ');
                std::string label = body.substr(0, space);
                std::string rest = space == std::string::npos ? std::string() : body.substr(space + 1);
                hang = std::max<size_t>(CountChars(label) + 1, level + 1);
                hang = std::min<size_t>(hang, width / 2);
                AddHanging(out, label, rest, hang, width);
            } else if ((r.style & STYLE_ALIGN_MASK) == STYLE_ALIGN_CENTER) {
                AddHeading(out, body, width);
            } else {
                for (const std::string& line : WrapWords(body, width)) out += line + '\n';
            }
        }
        // A record that drew nothing (a rule of length 0) has no spacer either.
        if ((r.style & STYLE_SPACER) && out.size() > before) out += '\n';
    }
    while (out.size() >= 2 && out[out.size() - 1] == '\n' && out[out.size() - 2] == '\n') out.pop_back();
    return out;
}
