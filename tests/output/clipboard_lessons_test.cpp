// The clipboard encodings over every real lesson: the computed sizes hold,
// and the Rich Text body reads back as the Unicode export it was made from
// and as the plain text placed beside it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "content/lesson_store.h"
#include "output/clipboard_format.h"
#include "settings/settings.h"

namespace {

struct Mode {
    int32_t base;
    uint32_t flags;
};

// Reads the body the way an RTF reader would for what it holds: escapes
// with their one delimiting space, escaped symbols, paragraph marks.
std::u16string ReadBody(const std::string& body, int* openGroups)
{
    std::u16string out;
    *openGroups = 0;
    for (size_t i = 0; i < body.size();) {
        char c = body[i];
        if (c == '{') ++*openGroups;
        if (c == '}') --*openGroups;
        if (c != '\\') {
            if (c != '\r' && c != '\n') out += static_cast<char16_t>(static_cast<unsigned char>(c));
            ++i;
            continue;
        }
        char n = body[i + 1];
        if (n == '{' || n == '}' || n == '\\') {
            out += static_cast<char16_t>(n);
            i += 2;
        } else if (body.compare(i, 10, "\\par\\par\r\n") == 0) {
            out += u'\n';
            i += 10;
        } else if (n == 'u') {
            i += 2;
            unsigned v = 0;
            while (i < body.size() && body[i] >= '0' && body[i] <= '9') v = v * 10 + (body[i++] - '0');
            if (i < body.size() && body[i] == ' ') ++i;
            out += static_cast<char16_t>(v);
        } else {
            ADD_FAILURE() << "unexpected control at " << i;
            return out;
        }
    }
    return out;
}

// The export with each run of line breaks as one paragraph end.
std::u16string Paragraphs(const std::u16string& e)
{
    std::u16string out;
    for (size_t i = 0; i < e.size(); ++i) {
        if (e[i] == u'\r' || e[i] == u'\n') {
            while (i + 1 < e.size() && (e[i + 1] == u'\r' || e[i + 1] == u'\n')) ++i;
            out += u'\n';
        } else {
            out += e[i];
        }
    }
    return out + u'\n';
}

}  // namespace

TEST(ClipboardLessons, EveryLessonExportsAndReadsBack)
{
    uint8_t* probe = LoadLesson(1, nullptr);
    if (!probe) GTEST_SKIP() << "no lesson containers in this build";
    free(probe);

    Settings saved = g_settings;
    const Mode modes[] = {{0x5D0, 0}, {0x5D0, FLAG_REVERSE}, {224, FLAG_REVERSE}, {97, 0}};
    size_t largestBody = 0;
    for (int lesson = 1; lesson <= 339; ++lesson) {
        uint8_t* text = LoadLesson(lesson, nullptr);
        ASSERT_NE(text, nullptr) << lesson;
        int records = 0, lineEnds = 0;
        for (const uint8_t* p = text; *p; p += 2, p += strlen(reinterpret_cast<const char*>(p)) + 1) {
            ++records;
            lineEnds += (*p & 0x80) ? 2 : 1;
        }
        for (const Mode& m : modes) {
            // The other modes only change the mapping; a sample of lessons will do.
            if (&m != modes && lesson % 17 != 1) continue;
            g_settings.FontAsciiBase = m.base;
            g_settings.Flags = m.flags;
            uint32_t size = ExportSize(text);
            std::vector<char16_t> buffer(size / 2);
            ASSERT_EQ(ExportLesson(text, buffer.data(), size), 0) << lesson;
            EXPECT_EQ(g_settings.Flags, m.flags);
            std::u16string e = buffer.data();
            EXPECT_EQ(std::count(e.begin(), e.end(), u'\n'), lineEnds) << lesson;
            if (m.base != 0x5D0) continue;

            size_t measured = RtfBodySize(e.c_str());
            std::vector<char> body(measured + 1);
            size_t written = WriteRtfBody(e.c_str(), body.data(), body.size());
            ASSERT_LT(written, measured) << lesson;
            largestBody = std::max(largestBody, written);
            int groups = 0;
            std::u16string read = ReadBody(std::string(body.data(), written), &groups);
            EXPECT_EQ(read, Paragraphs(e)) << lesson;
            EXPECT_EQ(groups, 0) << lesson;
            // The plain text beside it reads the same, paragraph by paragraph.
            std::vector<char16_t> plain(PlainDocumentSize({}, e.c_str()));
            std::u16string lines(plain.data(), WritePlainDocument({}, e.c_str(), plain.data(), plain.size()));
            std::erase(lines, u'\r');
            EXPECT_EQ(lines + u'\n', read) << lesson;
        }
        free(text);
    }
    g_settings = saved;
    EXPECT_GT(largestBody, 10000u);
}

TEST(ClipboardLessons, CopyThenAppendTwoLessons)
{
    uint8_t* first = LoadLesson(1, nullptr);
    if (!first) GTEST_SKIP() << "no lesson containers in this build";
    uint8_t* second = LoadLesson(339, nullptr);
    ASSERT_NE(second, nullptr);

    Settings saved = g_settings;
    g_settings.FontAsciiBase = 0x5D0;
    g_settings.Flags = 0;
    auto body = [](const uint8_t* text) {
        uint32_t size = ExportSize(text);
        std::vector<char16_t> e(size / 2);
        EXPECT_EQ(ExportLesson(text, e.data(), size), 0);
        std::vector<char> b(RtfBodySize(e.data()) + 1);
        return std::string(b.data(), WriteRtfBody(e.data(), b.data(), b.size()));
    };
    auto document = [](std::string old, const std::string& b) {
        std::vector<char> out(RtfDocumentCapacity(b.size(), old));
        return std::string(out.data(), WriteRtfDocument(old, b.c_str(), out.data(), out.size()));
    };
    std::string one = body(first), two = body(second);
    std::string copied = document("", one);
    std::string appended = document(copied, two);
    EXPECT_EQ(appended, std::string(RTF_HEADER) + one + RTF_SEPARATOR + two + RTF_TRAILER);
    // Appending again keeps one document: one opening header, one closing brace.
    std::string third = document(appended, one);
    EXPECT_EQ(third.find("{\\rtf1"), 0u);
    EXPECT_EQ(third.rfind("{\\rtf1"), 0u);
    EXPECT_EQ(third.substr(third.size() - 3), "}\r\n");
    g_settings = saved;
    free(first);
    free(second);
}
