// The reader as a process of its own (quorin.exe beside this test program),
// driven from outside by the messages Windows sends it: the session ending,
// and a second start while the first is minimised.
#include "tests/app/reader_fixture.h"

#include <cstdlib>
#include <string>

#include "resources/resource.h"

namespace reader_test {
namespace {

std::wstring ReaderExe()
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring exe(path, n);
    return exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"quorin.exe";
}

struct ReaderProcess {
    PROCESS_INFORMATION info = {};

    bool Launch()
    {
        std::wstring exe = ReaderExe();
        std::wstring line = L"\"" + exe + L"\"";
        STARTUPINFOW startup = {sizeof startup};
        if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
            return false;
        WaitForInputIdle(info.hProcess, 10000);
        return true;
    }
    // The process's main window, once it is there and shown.
    HWND Window() const
    {
        for (int i = 0; i < 200; ++i) {
            HWND found = FindWindowW(MAIN_CLASS_NAME, MAIN_WINDOW_TITLE);
            DWORD pid = 0;
            if (found) GetWindowThreadProcessId(found, &pid);
            if (found && pid == info.dwProcessId && IsWindowVisible(found)) return found;
            Sleep(50);
        }
        return nullptr;
    }
    bool Ended(DWORD ms) const { return WaitForSingleObject(info.hProcess, ms) == WAIT_OBJECT_0; }
    // Ended the way Windows ends a process at the end of a session.
    void Kill()
    {
        if (info.hProcess && !Ended(0)) {
            TerminateProcess(info.hProcess, 1);
            Ended(5000);
        }
    }
    ~ReaderProcess()
    {
        Kill();
        if (info.hProcess) CloseHandle(info.hProcess);
        if (info.hThread) CloseHandle(info.hThread);
    }
};

class ReaderProcessTest : public ReaderTest {
protected:
    void SetUp() override
    {
        ReaderTest::SetUp();
        if (GetFileAttributesW(ReaderExe().c_str()) == INVALID_FILE_ATTRIBUTES)
            GTEST_SKIP() << "no quorin.exe beside the tests";
    }
};

TEST_F(ReaderProcessTest, EndingTheSessionKeepsTheDayAndANewBookmark)
{
    PresetPinned(732530, 339);
    ReaderProcess reader;
    ASSERT_TRUE(reader.Launch());
    HWND running = reader.Window();
    ASSERT_NE(running, nullptr);
    SendMessageW(running, WM_KEYDOWN, VK_RIGHT, 1);   // the next day, lesson 1
    SendMessageW(running, WM_COMMAND, IDM_BOOKMARK, 0);
    EXPECT_TRUE(SendMessageW(running, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
    SendMessageW(running, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    reader.Kill();

    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Day", 0), 732531);
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Lesson", 0), 1);
    uint32_t size = 0;
    uint8_t* marks = ReadBytes(L"Bookmarks", nullptr, &size);
    ASSERT_NE(marks, nullptr);
    ASSERT_EQ(size, 4u);
    EXPECT_EQ(marks[0] | marks[1] << 8, 1);
    free(marks);
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Width", 0), 640);
}

TEST_F(ReaderProcessTest, ASessionThatGoesOnSavesNothingEarly)
{
    PresetPinned(732530, 339);
    ReaderProcess reader;
    ASSERT_TRUE(reader.Launch());
    HWND running = reader.Window();
    ASSERT_NE(running, nullptr);
    SendMessageW(running, WM_KEYDOWN, VK_RIGHT, 1);
    SendMessageW(running, WM_QUERYENDSESSION, 0, 0);
    SendMessageW(running, WM_ENDSESSION, FALSE, 0);   // another program refused: the session goes on
    EXPECT_FALSE(reader.Ended(200));
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Day", 0), 732530);
    // Closed normally later, it saves as ever.
    PostMessageW(running, WM_CLOSE, 0, 0);
    EXPECT_TRUE(reader.Ended(10000));
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Day", 0), 732531);
}

TEST_F(ReaderProcessTest, ASecondStartRestoresAMinimisedReader)
{
    PresetWindow();
    ReaderProcess first;
    ASSERT_TRUE(first.Launch());
    HWND running = first.Window();
    ASSERT_NE(running, nullptr);
    ShowWindow(running, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(running));

    ReaderProcess second;
    ASSERT_TRUE(second.Launch());
    EXPECT_TRUE(second.Ended(10000));   // it hands over and ends
    for (int i = 0; i < 100 && IsIconic(running); ++i) Sleep(50);
    EXPECT_FALSE(IsIconic(running));
    EXPECT_TRUE(IsWindowVisible(running));
    EXPECT_FALSE(first.Ended(0));
    PostMessageW(running, WM_CLOSE, 0, 0);
    EXPECT_TRUE(first.Ended(10000));
}

}  // namespace
}  // namespace reader_test
