// The clipboard encodings: Unicode lines, the Rich Text body and document,
// the append rules, and the buffer sizes that guard them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "output/clipboard_format.h"
#include "settings/settings.h"

namespace {

// A LessonText from (style, parameter, text) records, with its end mark.
struct Rec {
    uint8_t style, parameter;
    std::string text;
};

std::vector<uint8_t> Lesson(std::initializer_list<Rec> recs)
{
    std::vector<uint8_t> t;
    for (const Rec& r : recs) {
        t.push_back(r.style);
        t.push_back(r.parameter);
        t.insert(t.end(), r.text.begin(), r.text.end());
        t.push_back(0);
    }
    t.push_back(0);
    return t;
}

struct FlagsGuard {
    Settings saved = g_settings;
    ~FlagsGuard() { g_settings = saved; }
};

void Use(int32_t base, bool reverse)
{
    g_settings.FontAsciiBase = base;
    g_settings.Flags = reverse ? FLAG_REVERSE : 0;
}

// The export exactly as CopyLesson makes it, in a buffer of ExportSize bytes.
std::u16string Export(const std::vector<uint8_t>& text)
{
    uint32_t size = ExportSize(text.data());
    std::vector<char16_t> buffer(size / 2);
    EXPECT_EQ(ExportLesson(text.data(), buffer.data(), size), 0);
    return buffer.data();
}

std::string Body(const std::u16string& e)
{
    size_t size = RtfBodySize(e.c_str());
    std::vector<char> out(size + 1);
    size_t n = WriteRtfBody(e.c_str(), out.data(), out.size());
    EXPECT_LT(n, size) << "measure too small";
    return std::string(out.data(), n);
}

std::string Document(const std::string& old, const std::string& body)
{
    std::vector<char> out(RtfDocumentCapacity(body.size(), old));
    size_t n = WriteRtfDocument(old, body.c_str(), out.data(), out.size());
    EXPECT_LT(n, out.size());
    return std::string(out.data(), n);
}

}  // namespace

TEST(ClipboardFormat, LiteralsHaveTheirStatedLengths)
{
    EXPECT_EQ(sizeof RTF_HEADER - 1, 180u);
    EXPECT_EQ(sizeof RTF_SEPARATOR - 1, 52u);
    EXPECT_EQ(sizeof RTF_PARAGRAPH - 1, 10u);
}

TEST(ClipboardFormat, DecompositionTableKeys)
{
    // The 27 keys are exactly the assigned composed letters of FB2A..FB4B
    // minus FB2E and FB2F (alef with patah and qamats).
    std::u16string keys;
    for (const Decomposition& d : DECOMPOSITIONS) keys += d.key;
    std::u16string expected;
    for (char16_t c = 0xFB2A; c <= 0xFB4B; ++c)
        if (c != 0xFB2E && c != 0xFB2F && c != 0xFB37 && c != 0xFB3D && c != 0xFB3F && c != 0xFB42 && c != 0xFB45)
            expected += c;
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(FindDecomposition(0xFB2E), nullptr);
    EXPECT_EQ(FindDecomposition(0x05D0), nullptr);
}

TEST(ClipboardFormat, UnicodeLinesPerRecord)
{
    FlagsGuard g;
    Use(97, false);
    auto t = Lesson({{0x01, 3, "ab c"},     // text, three spaces of indent
                     {0x81, 0x42, "d"},     // bit 7: a blank line after; label bits ignored
                     {0x07, 170, ""},       // rule: 20 hyphens
                     {0x07, 0, ""},         // rule 0: an empty line
                     {0x87, 5, ""}});       // rule with bit 7
    EXPECT_EQ(Export(t), u"ab c   \r\nd  \r\n\r\n" + std::u16string(20, u'-') + u"\r\n\r\n-----\r\n\r\n");
}

TEST(ClipboardFormat, ReverseInversionFollowsTheLetterBase)
{
    FlagsGuard g;
    auto t = Lesson({{0x01, 0, "a(b~"}});
    // Unicode Hebrew: the export reverses exactly when the screen does not.
    Use(0x5D0, false);
    EXPECT_EQ(Export(t), u"}\u05D1)\u05D0\r\n");
    EXPECT_EQ(g_settings.Flags, 0u);
    Use(0x5D0, true);
    EXPECT_EQ(Export(t), u"\u05D0(\u05D1{\r\n");
    EXPECT_EQ(g_settings.Flags, FLAG_REVERSE);
    // Code page positions follow the Reverse mode as set.
    Use(224, true);
    EXPECT_EQ(Export(t), u"}\u00E1)\u00E0\r\n");
    // Latin positions never reverse.
    Use(97, true);
    EXPECT_EQ(Export(t), u"a(b{\r\n");
}

TEST(ClipboardFormat, OverflowIsReportedAndNothingIsWrittenPastTheBuffer)
{
    FlagsGuard g;
    Use(97, false);
    auto t = Lesson({{0x01, 63, "abcdef"}, {0x07, 255, ""}});
    uint32_t size = ExportSize(t.data());
    // Each buffer is exactly as large as claimed, so ASan sees any overrun.
    for (uint32_t small : {0u, 1u, 2u, 3u, 20u, 21u}) {
        auto buffer = std::make_unique<char16_t[]>(small / 2 + 1);
        EXPECT_EQ(ExportUnicodeText(t.data(), buffer.get(), small), 1) << small;
    }
    // Exactly the characters and the terminator: fits; one byte less does not.
    size_t exact = (6 + 63 + 2 + 190 + 2 + 1) * 2;
    ASSERT_LE(exact, size);
    std::vector<char16_t> buffer(exact / 2);
    EXPECT_EQ(ExportUnicodeText(t.data(), buffer.data(), exact), 0);
    EXPECT_EQ(ExportUnicodeText(t.data(), buffer.data(), exact - 1), 1);
}

TEST(ClipboardFormat, RtfBodyEscapes)
{
    // A letter escape ends with one swallowed space, so a single space after
    // it is written twice; a CR LF run makes one paragraph mark.
    EXPECT_EQ(Body(u"\u05D0 \u05D1\r\n\r\n"), "\\u1488  \\u1489\\par\\par\r\n\\par\\par\r\n");
    // After a plain character spaces stay as they are.
    EXPECT_EQ(Body(u"a,  b"), "a,  b\\par\\par\r\n");
    EXPECT_EQ(Body(u"\u05D0   x"), "\\u1488    x\\par\\par\r\n");
    // Braces and backslashes keep the groups balanced.
    EXPECT_EQ(Body(u"{a}\\"), "\\{a\\}\\\\\\par\\par\r\n");
    // A digit straight after an escape would join its number.
    EXPECT_EQ(Body(u"\u05D07"), "\\u1488 7\\par\\par\r\n");
    // Other codes by size, the table only at U+05EB and above.
    EXPECT_EQ(Body(u"\t\u00E0\uFB2C\uFB4B\uFB1D\uFFFF"),
              "\\u9\\u224\\u1513\\u1468\\u1473\\u1493\\u1465\\u64285\\u65535\\par\\par\r\n");
    EXPECT_EQ(Body(u""), "\\par\\par\r\n");
}

TEST(ClipboardFormat, RtfBodyOfARecordWithSpacer)
{
    FlagsGuard g;
    Use(0x5D0, true);  // inverted for the export: stored order
    auto t = Lesson({{0x81, 0, "a b"}, {0x01, 0, "c"}});
    std::u16string e = Export(t);
    EXPECT_EQ(e, u"\u05D0 \u05D1\r\n\r\n\u05D2\r\n");
    EXPECT_EQ(Body(e), "\\u1488  \\u1489\\par\\par\r\n\\u1490\\par\\par\r\n\\par\\par\r\n");
}

TEST(ClipboardFormat, MeasureCoversEveryCharacter)
{
    // Worst cases of every kind, and a sweep of all code units in a mix
    // with spaces, line breaks and digits around them.
    std::u16string all;
    for (unsigned c = 1; c <= 0xFFFF; ++c) {
        all += static_cast<char16_t>(c);
        if (c % 7 == 0) all += u"  ";
        if (c % 11 == 0) all += u"5";
        if (c % 13 == 0) all += u"\r\n\n";
    }
    std::string body = Body(all);
    EXPECT_EQ(body.size(), strlen(body.c_str()));
}

TEST(ClipboardFormat, FreshDocumentAndAppend)
{
    std::string body = "\\u1488\\par\\par\r\n";
    std::string fresh = Document("", body);
    EXPECT_EQ(fresh, std::string(RTF_HEADER) + body + "}\r\n");

    // The old closing brace and the white space after it give way to the separator.
    std::string appended = Document(fresh + "  \t\r\n", "x\\par\\par\r\n");
    EXPECT_EQ(appended, std::string(RTF_HEADER) + body + RTF_SEPARATOR + "x\\par\\par\r\n}\r\n");
    // Only one brace goes; one that is not last stays.
    EXPECT_EQ(TrimForAppend(std::string_view("{a}}\r\n")), 3u);
    EXPECT_EQ(TrimForAppend(std::string_view("{a} x")), 5u);
    // Old data that trims to nothing is treated like an empty clipboard.
    EXPECT_EQ(Document("} \r\n", body), fresh);
    EXPECT_EQ(RtfDocumentCapacity(body.size(), std::string_view("} \r\n")), body.size() + RTF_FRESH_EXTRA);
}

TEST(ClipboardFormat, UnicodeAppendJoinsDirectly)
{
    std::u16string old = u"ab";
    std::u16string add = u"cd\r\n";
    size_t oldBytes = old.size() * 2;
    std::vector<uint8_t> out(JoinedUnicodeSize(oldBytes, add.c_str()));
    EXPECT_EQ(out.size(), (2 + 5) * 2u);
    JoinUnicodeText({reinterpret_cast<const uint8_t*>(old.data()), oldBytes}, add.c_str(), out.data());
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(out.data())), u"abcd\r\n");
}

namespace {

std::u16string Plain(const std::u16string& old, const std::u16string& e)
{
    // Exactly the size claimed, so ASan sees any overrun.
    size_t units = PlainDocumentSize(old, e.c_str());
    auto out = std::make_unique<char16_t[]>(units);
    size_t n = WritePlainDocument(old, e.c_str(), out.get(), units);
    EXPECT_EQ(n + 1, units) << "size and text disagree";
    return std::u16string(out.get(), n);
}

}  // namespace

TEST(ClipboardFormat, PlainTextHasTheRichTextParagraphs)
{
    FlagsGuard g;
    Use(0x5D0, false);
    // A labelled heading with a spacer, a rule, an empty rule, a
    // continuation paragraph: one CR LF after each, as one paragraph mark
    // follows each in the Rich Text.
    auto t = Lesson({{0xDC, 0, "b a"}, {0x91, 0x42, "d c 1"}, {0x07, 5, ""}, {0x07, 0, ""}, {0x91, 0x42, "e "}});
    std::u16string e = Export(t);
    EXPECT_EQ(Plain(u"", e), u"\u05D0 \u05D1\r\n"
                             u"1 \u05D2 \u05D3  \r\n"
                             u"-----\r\n"
                             u" \u05D4  \r\n");
    // A text that starts with an empty line keeps it, as the Rich Text does.
    EXPECT_EQ(Plain(u"", u"\r\n\r\nx\r\n"), u"\r\nx\r\n");
    EXPECT_EQ(Plain(u"", u""), u"");
}

TEST(ClipboardFormat, PlainTextAppend)
{
    const std::u16string add = u"x\r\n\r\n";
    // The old text's trailing white space gives way to the separator line.
    EXPECT_EQ(Plain(u"ab\r\n \t\r\n", add), u"ab\r\n*  *  *  *  *\r\nx\r\n");
    // Someone else's text that ends without a line break gets one.
    EXPECT_EQ(Plain(u"ab", add), u"ab\r\n*  *  *  *  *\r\nx\r\n");
    // Old text of white space only is no text: the lesson starts afresh.
    EXPECT_EQ(Plain(u" \r\n\t", add), u"x\r\n");
    // Appending twice keeps one separator between each pair.
    std::u16string twice = Plain(Plain(u"", add), add);
    EXPECT_EQ(Plain(twice, add), u"x\r\n*  *  *  *  *\r\nx\r\n*  *  *  *  *\r\nx\r\n");
}
