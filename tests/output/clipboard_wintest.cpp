// Copy and Append to ClipBoard through the real clipboard, from the main
// window's commands.
#include "tests/app/reader_fixture.h"

#include <process.h>

#include <cstring>
#include <string>

#include "output/clipboard_format.h"
#include "output/clipboard_win.h"
#include "resources/resource.h"

namespace reader_test {
namespace {

UINT RtfFormat() { return RegisterClipboardFormatW(L"Rich Text Format"); }

std::string ReadRtf()
{
    size_t n = 0;
    uint8_t* data = ReadClipboard(&n, RtfFormat());
    std::string s(reinterpret_cast<char*>(data), n);
    free(data);
    return s;
}

std::u16string ReadUnicode()
{
    size_t n = 0;
    uint8_t* data = ReadClipboard(&n, 0);
    std::u16string s(reinterpret_cast<char16_t*>(data), n / 2);
    free(data);
    return s;
}

bool Holds(UINT format)
{
    return IsClipboardFormatAvailable(format) != 0;
}

void PutUnicode(const wchar_t* text)
{
    size_t bytes = (wcslen(text) + 1) * 2;
    HGLOBAL m = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(m), text, bytes);
    GlobalUnlock(m);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, m);
    CloseClipboard();
}

void PutRtfBytes(const std::string& bytes)
{
    HGLOBAL m = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    memcpy(GlobalLock(m), bytes.c_str(), bytes.size() + 1);
    GlobalUnlock(m);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(RtfFormat(), m);
    CloseClipboard();
}

void EmptyTheClipboard()
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
}

class Clipboard : public ReaderTest {
protected:
    void SetUp() override
    {
        ReaderTest::SetUp();
        PresetWindow();
        Start();
        ASSERT_NE(View(), nullptr);
        ASSERT_NE(View()->text, nullptr);
    }

    // The body the view's lesson gives with the current settings.
    std::string ExpectedBody()
    {
        uint32_t size = ExportSize(View()->text);
        std::vector<char16_t> e(size / 2);
        EXPECT_EQ(ExportLesson(View()->text, e.data(), size), 0);
        char* body = RtfBody(e.data());
        std::string s = body;
        free(body);
        return s;
    }

    std::u16string ExpectedUnicode()
    {
        uint32_t size = ExportSize(View()->text);
        std::vector<char16_t> e(size / 2);
        EXPECT_EQ(ExportLesson(View()->text, e.data(), size), 0);
        return e.data();
    }

    // The plain text beside the Rich Text: one CR LF after each paragraph.
    std::u16string ExpectedPlain()
    {
        std::u16string e = ExpectedUnicode(), out;
        for (size_t i = 0; i < e.size(); ++i) {
            bool lineEnd = e[i] == u'\r' || e[i] == u'\n';
            if (!lineEnd) out += e[i];
            else if (out.empty() || out.back() != u'\n') out += u"\r\n";
        }
        return out;
    }
};

// Old plain text as Append leaves it before the separator line.
std::u16string Trimmed(std::u16string s)
{
    return s.substr(0, s.find_last_not_of(u"\r\n \t") + 1);
}

TEST_F(Clipboard, CopyPlacesRichTextAndPlainTextWithTheUnicodeBase)
{
    ASSERT_EQ(g_settings.FontAsciiBase, 0x5D0);
    PutUnicode(L"before");
    Command(IDM_COPY);
    EXPECT_TRUE(Holds(RtfFormat()));
    EXPECT_EQ(ReadRtf(), RTF_HEADER + ExpectedBody() + RTF_TRAILER);
    EXPECT_NE(ExpectedBody().find("\\u1488"), std::string::npos);
    EXPECT_EQ(ReadUnicode(), ExpectedPlain());
    EXPECT_NE(ExpectedPlain().find(u'\u05D0'), std::u16string::npos);
    // Opened without an owner, Windows would refuse the data after EmptyClipboard.
    EXPECT_EQ(GetClipboardOwner(), g_state.mainWindow);
}

TEST_F(Clipboard, AppendJoinsBothFormats)
{
    std::string body = ExpectedBody();
    std::u16string plain = ExpectedPlain();
    Command(IDM_COPY);
    Command(IDM_APPEND);
    EXPECT_EQ(ReadRtf(), RTF_HEADER + body + RTF_SEPARATOR + body + RTF_TRAILER);
    EXPECT_EQ(ReadUnicode(), Trimmed(plain) + TEXT_SEPARATOR + plain);
    EXPECT_EQ(GetClipboardOwner(), g_state.mainWindow);
}

TEST_F(Clipboard, AppendToRichTextAloneStartsThePlainTextAfresh)
{
    std::string body = ExpectedBody();
    Command(IDM_COPY);
    // Someone else's trailing white space after the closing brace goes too.
    PutRtfBytes(ReadRtf() + " \r\n\t");
    Command(IDM_APPEND);
    EXPECT_EQ(ReadRtf(), RTF_HEADER + body + RTF_SEPARATOR + body + RTF_TRAILER);
    EXPECT_EQ(ReadUnicode(), ExpectedPlain());
}

TEST_F(Clipboard, AppendToPlainTextAloneStartsTheRichTextAfresh)
{
    std::string body = ExpectedBody();
    EmptyTheClipboard();
    Command(IDM_APPEND);
    EXPECT_EQ(ReadRtf(), RTF_HEADER + body + RTF_TRAILER);
    EXPECT_EQ(ReadUnicode(), ExpectedPlain());
    PutUnicode(L"plain text only");
    Command(IDM_APPEND);
    EXPECT_EQ(ReadRtf(), RTF_HEADER + body + RTF_TRAILER);
    EXPECT_EQ(ReadUnicode(), u"plain text only" + std::u16string(TEXT_SEPARATOR) + ExpectedPlain());
}

TEST_F(Clipboard, OtherBasesPlaceUnicodeTextAndAppendDirectly)
{
    for (int32_t base : {224, 97}) {
        g_settings.FontAsciiBase = base;
        std::u16string lesson = ExpectedUnicode();
        Command(IDM_COPY);
        EXPECT_TRUE(Holds(CF_UNICODETEXT)) << base;
        EXPECT_FALSE(Holds(RtfFormat())) << base;
        EXPECT_EQ(ReadUnicode(), lesson) << base;
        Command(IDM_APPEND);
        EXPECT_EQ(ReadUnicode(), lesson + lesson) << base;
        EXPECT_EQ(GetClipboardOwner(), g_state.mainWindow) << base;
    }
    PutUnicode(L"abc");
    Command(IDM_APPEND);
    EXPECT_EQ(ReadUnicode(), u"abc" + ExpectedUnicode());
}

// Holds the clipboard open from another thread's window until told to let
// go, or for holdMs milliseconds (as clipboard history does after a change).
struct ClipboardHolder {
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = nullptr;
    DWORD holdMs = INFINITE;
    static unsigned __stdcall Run(void* p)
    {
        auto* self = static_cast<ClipboardHolder*>(p);
        HWND owner = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        OpenClipboard(owner);
        SetEvent(self->opened);
        WaitForSingleObject(self->release, self->holdMs);
        CloseClipboard();
        DestroyWindow(owner);
        return 0;
    }
    void Hold()
    {
        thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, Run, this, 0, nullptr));
        WaitForSingleObject(opened, 5000);
    }
    ~ClipboardHolder()
    {
        SetEvent(release);
        if (thread) WaitForSingleObject(thread, 5000);
        CloseHandle(thread);
        CloseHandle(opened);
        CloseHandle(release);
    }
};

TEST_F(Clipboard, AClipboardHeldElsewhereIsLeftAlone)
{
    PutUnicode(L"keep me");
    for (int32_t base : {0x5D0, 224}) {
        g_settings.FontAsciiBase = base;
        ClipboardHolder holder;
        holder.Hold();
        size_t n = 7;
        EXPECT_EQ(ReadClipboard(&n, 0), nullptr);
        EXPECT_EQ(n, 0u);
        BoxCloser::texts.clear();
        Command(IDM_COPY);
        Command(IDM_APPEND);
        // The reader is told, once for each command.
        ASSERT_EQ(BoxCloser::texts.size(), 2u) << base;
        EXPECT_NE(BoxCloser::texts[1].find(L"using the clipboard"), std::wstring::npos);
    }
    EXPECT_EQ(ReadUnicode(), u"keep me");
    EXPECT_FALSE(Holds(RtfFormat()));
    // A selected passage is told the same, and once the clipboard is free
    // again its next copy goes through.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    Key(VK_DOWN);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    BoxCloser::texts.clear();
    {
        ClipboardHolder holder;
        holder.Hold();
        Command(IDM_APPEND);
    }
    EXPECT_EQ(BoxCloser::texts.size(), 1u);
    Command(IDM_APPEND);
    EXPECT_EQ(BoxCloser::texts.size(), 1u);
    EXPECT_NE(ReadUnicode().find(u"keep me"), std::u16string::npos);
    EXPECT_GT(ReadUnicode().size(), 7u);
}

TEST_F(Clipboard, AClipboardHeldForAMomentStillTakesTheCopy)
{
    for (int command : {IDM_COPY, IDM_APPEND}) {
        PutUnicode(L"before ");
        ClipboardHolder holder;
        holder.holdMs = 50;
        holder.Hold();
        BoxCloser::texts.clear();
        Command(command);
        EXPECT_TRUE(BoxCloser::texts.empty()) << command;
        std::u16string plain = ReadUnicode();
        EXPECT_EQ(plain.substr(0, 6) == u"before", command == IDM_APPEND) << command;
        EXPECT_NE(plain.find(ExpectedPlain().substr(0, 40)), std::u16string::npos) << command;
        EXPECT_TRUE(Holds(RtfFormat())) << command;
    }
}

TEST_F(Clipboard, RichTextWithoutATerminatorIsReadToTheBlockEnd)
{
    // What another program placed need not end in a zero byte.
    const char rtf[4] = {'{', '\\', 'a', '}'};
    HGLOBAL m = GlobalAlloc(GMEM_MOVEABLE, sizeof rtf);
    memcpy(GlobalLock(m), rtf, sizeof rtf);
    GlobalUnlock(m);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(RtfFormat(), m);
    CloseClipboard();
    EXPECT_EQ(ReadRtf(), std::string(rtf, 4));
    Command(IDM_APPEND);
    EXPECT_EQ(ReadRtf(), "{\\a" + std::string(RTF_SEPARATOR) + ExpectedBody() + RTF_TRAILER);
}

TEST_F(Clipboard, NothingHappensWithoutAView)
{
    PutUnicode(L"still here");
    CopyLesson(nullptr, 0);
    TextView empty = {};
    CopyLesson(&empty, 1);
    EXPECT_EQ(ReadUnicode(), u"still here");
}

}  // namespace
}  // namespace reader_test
