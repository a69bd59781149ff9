// Append to ClipBoard over whatever another program left there: text with
// no terminator, an odd number of bytes, Rich Text that is no document.
// The old bytes are kept as far as they go and the lesson follows them.
#include "tests/app/reader_fixture.h"

#include <cstring>
#include <string>
#include <vector>

#include "output/clipboard_format.h"
#include "resources/resource.h"

namespace reader_test {
namespace {

using HostileClipboard = ReaderTest;

void Leave(UINT format, const void* bytes, size_t size)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    ASSERT_NE(memory, nullptr);
    memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(format, memory);
    CloseClipboard();
}

std::vector<uint8_t> Taken(UINT format)
{
    std::vector<uint8_t> out;
    if (!OpenClipboard(nullptr)) return out;
    HANDLE data = GetClipboardData(format);
    if (const auto* p = data ? static_cast<const uint8_t*>(GlobalLock(data)) : nullptr) {
        out.assign(p, p + GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return out;
}

TEST_F(HostileClipboard, UnicodeTextWithoutTerminatorOrOfOddSize)
{
    PresetWindow();
    Preset(L"FontAsciiBase", 224);   // plain Unicode text, not Rich Text
    Start();
    const char16_t old[] = {u'a', u'b', u'c'};
    for (size_t size : {sizeof old, sizeof old - 1, size_t(1)}) {
        Leave(CF_UNICODETEXT, old, size);
        Command(IDM_APPEND);
        std::vector<uint8_t> now = Taken(CF_UNICODETEXT);
        ASSERT_GT(now.size(), 8u) << size;
        // The whole units of the old text come first, then the lesson. The
        // system may end unterminated text by zeroing its last unit, so one
        // unit may be lost there, never more.
        const auto* units = reinterpret_cast<const char16_t*>(now.data());
        size_t kept = 0;
        while (kept < size / 2 && units[kept] == old[kept]) ++kept;
        EXPECT_GE(kept + 1, size / 2) << size;
        EXPECT_NE(units[kept], 0) << size;
    }
}

TEST_F(HostileClipboard, RichTextThatIsNoDocument)
{
    PresetWindow();
    Preset(L"FontAsciiBase", DEFAULT_ASCII_BASE);
    Start();
    UINT format = RegisterClipboardFormatW(reinterpret_cast<const wchar_t*>(RTF_FORMAT_NAME));
    std::vector<std::string> olds = {std::string(5000, '}'), "{\\rtf1 unended", std::string("\r\n \t}"),
                                     std::string(300, '\xFF')};
    for (const std::string& old : olds) {
        Leave(format, old.data(), old.size());   // no zero byte after it
        Command(IDM_APPEND);
        std::vector<uint8_t> now = Taken(format);
        ASSERT_FALSE(now.empty());
        std::string doc(reinterpret_cast<const char*>(now.data()), strnlen(reinterpret_cast<const char*>(now.data()), now.size()));
        // Always ends as a document, the lesson's body inside.
        EXPECT_EQ(doc.substr(doc.size() - 3), "}\r\n");
        EXPECT_NE(doc.find("\\u"), std::string::npos);
    }
}

}  // namespace
}  // namespace reader_test
