// Hostile registry values: every value the program reads, missing, of the
// wrong type, too short, too long and with extreme numbers. The program must
// start, show a lesson and write sane values back when it closes.
#include "tests/app/reader_fixture.h"

#include <cstring>
#include <string>
#include <vector>

#include "resources/resource.h"

namespace reader_test {
namespace {

struct Stored {
    const char* label;
    bool present;
    DWORD type;
    std::vector<uint8_t> bytes;
};

std::vector<uint8_t> Dword(DWORD v)
{
    return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

std::vector<uint8_t> Wide(const wchar_t* s)
{
    const auto* p = reinterpret_cast<const uint8_t*>(s);
    return std::vector<uint8_t>(p, p + (wcslen(s) + 1) * sizeof(wchar_t));
}

// The shapes every value is tried in.
std::vector<Stored> Variants()
{
    std::vector<Stored> v = {
        {"missing", false, REG_NONE, {}},
        {"text", true, REG_SZ, Wide(L"not a number at all")},
        {"long digits", true, REG_SZ, Wide(L"99999999999999999999")},
        {"text without zero", true, REG_SZ, {'1', 0, '2', 0, '3'}},
        {"empty binary", true, REG_BINARY, {}},
        {"one byte", true, REG_BINARY, {0x7F}},
        {"three bytes", true, REG_DWORD, {0xFF, 0xFF, 0xFF}},
        {"long binary", true, REG_BINARY, std::vector<uint8_t>(700, 0xFF)},
        {"zero", true, REG_DWORD, Dword(0)},
        {"all ones", true, REG_DWORD, Dword(0xFFFFFFFF)},
        {"most negative", true, REG_DWORD, Dword(0x80000000)},
        {"largest", true, REG_DWORD, Dword(0x7FFFFFFF)},
    };
    return v;
}

struct Named {
    const wchar_t* key;
    const wchar_t* name;
};

constexpr Named VALUES[] = {
    {SETTINGS_KEY, L"FontName"},    {SETTINGS_KEY, L"FontSize"},     {SETTINGS_KEY, L"FontAsciiBase"},
    {SETTINGS_KEY, L"LastPosition"}, {SETTINGS_KEY, L"Flags"},       {SETTINGS_KEY, L"Day"},
    {SETTINGS_KEY, L"Lesson"},      {SETTINGS_KEY, L"SearchString"}, {SETTINGS_KEY, L"Bookmarks"},
    {SETTINGS_KEY, L"Top"},         {SETTINGS_KEY, L"Left"},         {SETTINGS_KEY, L"Width"},
    {SETTINGS_KEY, L"Height"},      {SETTINGS_KEY, L"showCmd"},      {SETTINGS_KEY, L"DevMode"},
    {SETTINGS_KEY, L"PrintTop"},    {SETTINGS_KEY, L"PrintBottom"},  {SETTINGS_KEY, L"PrintLeft"},
    {SETTINGS_KEY, L"PrintRight"},  {VENDOR_KEY, L"SurroundingGutter"}, {SETTINGS_KEY, L"SearchOptions"},
};

void Put(const wchar_t* keyPath, const wchar_t* name, const Stored& s)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    if (s.present)
        RegSetValueExW(key, name, 0, s.type, s.bytes.data(), DWORD(s.bytes.size()));
    else
        RegDeleteValueW(key, name);
    RegCloseKey(key);
}

bool Query(const wchar_t* name, DWORD* type, std::vector<uint8_t>* bytes)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    bool found = RegQueryValueExW(key, name, nullptr, type, nullptr, &size) == ERROR_SUCCESS;
    if (found) {
        bytes->resize(size);
        found = RegQueryValueExW(key, name, nullptr, type, bytes->data(), &size) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return found;
}

DWORD AsDword(const std::vector<uint8_t>& b)
{
    DWORD v = 0;
    memcpy(&v, b.data(), std::min<size_t>(4, b.size()));
    return v;
}

class HostileSettings : public ReaderTest {
protected:
    // Shown: a window, a view with a lesson laid out in it, rows in range.
    void ExpectLessonShown(const std::string& what)
    {
        ASSERT_NE(window, nullptr) << what;
        ASSERT_TRUE(IsWindow(window)) << what;
        // A hidden window would take over every later start for good.
        EXPECT_TRUE(IsWindowVisible(window)) << what;
        ASSERT_NE(View(), nullptr) << what;
        EXPECT_NE(View()->text, nullptr) << what;
        EXPECT_GT(View()->lineCount, 0) << what;
        EXPECT_LE(View()->firstRow, View()->rowCount) << what;   // paging may pass maxFirstRow
        EXPECT_GE(g_settings.Lesson, 1) << what;
        EXPECT_LE(g_settings.Lesson, 339) << what;
    }

    // What shutdown wrote: numbers as numbers, in range.
    void ExpectSaneWrittenBack(const std::string& what)
    {
        DWORD type = 0;
        std::vector<uint8_t> b;
        ASSERT_TRUE(Query(L"Flags", &type, &b)) << what;
        EXPECT_EQ(type, DWORD(REG_DWORD)) << what;
        ASSERT_TRUE(Query(L"Day", &type, &b)) << what;
        EXPECT_EQ(type, DWORD(REG_DWORD)) << what;
        int32_t day = int32_t(AsDword(b));
        EXPECT_TRUE(day == 0 || (day >= FIRST_SUPPORTED_DAY && day <= LAST_SUPPORTED_DAY)) << what << " day " << day;
        ASSERT_TRUE(Query(L"Lesson", &type, &b)) << what;
        EXPECT_EQ(type, DWORD(REG_DWORD)) << what;
        EXPECT_GE(AsDword(b), 1u) << what;
        EXPECT_LE(AsDword(b), 339u) << what;
        ASSERT_TRUE(Query(L"Bookmarks", &type, &b)) << what;
        ASSERT_GE(b.size(), 2u) << what;
        EXPECT_EQ(b.size() % 2, 0u) << what;
        EXPECT_EQ(b[b.size() - 1] | b[b.size() - 2], 0) << what;
        for (const wchar_t* name : {L"Width", L"Height"}) {
            ASSERT_TRUE(Query(name, &type, &b)) << what;
            EXPECT_EQ(type, DWORD(REG_DWORD)) << what;
            EXPECT_LT(int32_t(AsDword(b)), 100000) << what;
        }
        ASSERT_TRUE(Query(L"showCmd", &type, &b)) << what;
        EXPECT_LE(AsDword(b), DWORD(SW_MAX)) << what;
    }
};

// Each shape is given to every value at once: a start costs seconds under
// Wine, and the program has to live with all of them together anyway.
TEST_F(HostileSettings, EveryValueInEveryShape)
{
    for (const Stored& s : Variants()) {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Lumivex");
        for (const Named& value : VALUES)
            Put(value.key, value.name, s);
        Start();
        ExpectLessonShown(s.label);
        // The day keys, paging and a repaint go through the values just read.
        Command(IDM_NEXT_DAY);
        Key(VK_NEXT);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
        ExpectLessonShown(s.label);
        Close();
        ExpectSaneWrittenBack(s.label);
    }
}

TEST_F(HostileSettings, ExtremeNumbers)
{
    struct Case {
        const char* what;
        const wchar_t* name;
        DWORD value;
        bool pinned;
    } cases[] = {
        {"negative day", L"Day", DWORD(-5), true},
        {"day before the calendar", L"Day", 1, true},
        {"lesson past the cycle", L"Lesson", 340, true},
        {"lesson 65535", L"Lesson", 0xFFFF, true},
        {"lesson past 16 bits", L"Lesson", 0x10001, true},
        {"last position past the end", L"LastPosition", 0xFFFF, true},
        {"font size 0", L"FontSize", 0, false},
        {"font size 1", L"FontSize", 1, false},
        {"font size huge", L"FontSize", 100000, false},
        {"font size negative", L"FontSize", DWORD(-40), false},
        {"flags all ones", L"Flags", 0xFFFFFFFF, false},
        {"letter base 0", L"FontAsciiBase", 0, false},
        {"letter base past Unicode", L"FontAsciiBase", 0xFFFFFFF0, false},
        {"window wider than any screen", L"Width", 200000, false},
        {"window off the screen", L"Left", DWORD(-100000), false},
        {"show command unknown", L"showCmd", 77, false},
    };
    for (const Case& c : cases) {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Lumivex");
        if (c.pinned)
            PresetPinned(0, 40);
        else
            PresetWindow();
        Preset(c.name, c.value);
        Start();
        ExpectLessonShown(c.what);
        Key(VK_END);
        Key(VK_HOME);
        Command(IDM_PREVIOUS_DAY);
        ExpectLessonShown(c.what);
        Close();
        ExpectSaneWrittenBack(c.what);
    }
}

TEST_F(HostileSettings, GutterLargerThanTheWindow)
{
    for (DWORD gutter : {DWORD(400), DWORD(5000), DWORD(0x7FFFFFFF), DWORD(-1)}) {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Lumivex");
        PresetWindow(300, 200);
        Put(VENDOR_KEY, L"SurroundingGutter", {"gutter", true, REG_DWORD, Dword(gutter)});
        Start();
        ASSERT_NE(View(), nullptr);
        EXPECT_NE(View()->text, nullptr);
        Key(VK_NEXT);
        Key(VK_DOWN);
        Send(WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));
        Send(WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
        EXPECT_LE(View()->firstRow, View()->rowCount);
        Close();
        ExpectSaneWrittenBack("gutter");
    }
}

TEST_F(HostileSettings, PrintingWithDamagedMarginsAndDevMode)
{
    // A block whose own sizes point past its end, and margins past any page.
    std::vector<uint8_t> devMode(sizeof(DEVMODEW), 0x41);
    PresetWindow();
    Put(SETTINGS_KEY, L"DevMode", {"garbage", true, REG_BINARY, devMode});
    for (const wchar_t* margin : {L"PrintTop", L"PrintBottom", L"PrintLeft", L"PrintRight"})
        Preset(margin, 0x7FFFFFFF);
    Start();
    Command(IDM_PRINT);   // the page set-up box is closed by the hook
    ExpectLessonShown("printing");
    Close();
    ExpectSaneWrittenBack("printing");
}

}  // namespace
}  // namespace reader_test
