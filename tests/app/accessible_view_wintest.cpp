// The reading view through the accessibility interface, as a screen reader
// reads it: role, state, name and value, and the events when they change.
#include "tests/app/reader_fixture.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>

#include <string>

#include "resources/resource.h"
#include "tests/support/accessibility.h"

namespace reader_test {
namespace {

using accessibility_test::ClientObject;
using accessibility_test::Take;

struct Events {
    static inline std::vector<DWORD> seen;
    static void CALLBACK Hook(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG, DWORD, DWORD)
    {
        if (object == OBJID_CLIENT) seen.push_back(event);
    }
    static int Count(DWORD event) { return int(std::count(seen.begin(), seen.end(), event)); }
};

class AccessibleView : public ReaderTest {
protected:
    IAccessible* object = nullptr;
    VARIANT self = {};

    void SetUp() override
    {
        ReaderTest::SetUp();
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        PresetPinned(TodayNumber(), 100);
        Preset(L"FontSize", 16);
        Start();
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        ASSERT_EQ(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object)),
                  S_OK);
        ASSERT_TRUE(object);
    }
    void TearDown() override
    {
        if (object) object->Release();
        ReaderTest::TearDown();
        CoUninitialize();
    }
    std::u16string Name()
    {
        BSTR s = nullptr;
        EXPECT_EQ(object->get_accName(self, &s), S_OK);
        return Take(s);
    }
    std::u16string Value()
    {
        BSTR s = nullptr;
        EXPECT_EQ(object->get_accValue(self, &s), S_OK);
        return Take(s);
    }
};

TEST_F(AccessibleView, ReadOnlyDocumentNamedAfterTheDayHoldingThePage)
{
    VARIANT v = {};
    ASSERT_EQ(object->get_accRole(self, &v), S_OK);
    EXPECT_EQ(v.vt, VT_I4);
    EXPECT_EQ(v.lVal, ROLE_SYSTEM_DOCUMENT);
    ASSERT_EQ(object->get_accState(self, &v), S_OK);
    EXPECT_TRUE(v.lVal & STATE_SYSTEM_READONLY);
    EXPECT_TRUE(v.lVal & STATE_SYSTEM_FOCUSABLE);
    ASSERT_EQ(object->accSelect(SELFLAG_TAKEFOCUS, self), S_OK);
    Pump();
    EXPECT_EQ(GetFocus(), window);
    object->get_accState(self, &v);
    EXPECT_TRUE(v.lVal & STATE_SYSTEM_FOCUSED);

    // The name: the Hebrew date, then the lesson's section, both as read.
    std::u16string name = Name();
    EXPECT_NE(name.find(u"הלכות מאכלות אסורות - הלכות שחיטה"), std::u16string::npos);
    EXPECT_GT(name.find(u", "), 0u);
    // The date band is the first child, the toolbar's window after it: a
    // read-only text holding the date.
    long children = 0;
    ASSERT_EQ(object->get_accChildCount(&children), S_OK);
    EXPECT_EQ(children, 2);
    VARIANT band = {};
    band.vt = VT_I4;
    band.lVal = 1;
    BSTR date = nullptr;
    ASSERT_EQ(object->get_accName(band, &date), S_OK);
    std::u16string dateText = Take(date);
    EXPECT_FALSE(dateText.empty());
    EXPECT_EQ(name.rfind(dateText + u", ", 0), 0u);
    ASSERT_EQ(object->get_accRole(band, &v), S_OK);
    EXPECT_EQ(v.lVal, ROLE_SYSTEM_STATICTEXT);
    long x, y, w, h;
    ASSERT_EQ(object->accLocation(&x, &y, &w, &h, band), S_OK);
    EXPECT_EQ(h, g_state.dateBand.height);
    // The value: the page in view in reading order, from its first line.
    std::u16string page = Value();
    EXPECT_EQ(page.rfind(u"הלכות מאכלות אסורות - הלכות שחיטה\n", 0), 0u);
    EXPECT_NE(page.find(u"א קדרה של חרס שנתבשל בה"), std::u16string::npos);
    // Paging moves the value on; a line that left the page leaves the value.
    Key(VK_NEXT);
    std::u16string next = Value();
    EXPECT_NE(next, page);
    EXPECT_EQ(next.find(u"הלכות מאכלות אסורות - הלכות שחיטה\n"), std::u16string::npos);
}

TEST_F(AccessibleView, ChangesRaiseValueAndNameEvents)
{
    Events::seen.clear();
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr, Events::Hook,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_TRUE(hook);
    Key(VK_DOWN);
    Pump();
    EXPECT_EQ(Events::Count(EVENT_OBJECT_VALUECHANGE), 1);
    EXPECT_EQ(Events::Count(EVENT_OBJECT_NAMECHANGE), 0);
    std::u16string before = Name();
    Command(IDM_NEXT_DAY);
    Pump();
    EXPECT_EQ(Events::Count(EVENT_OBJECT_NAMECHANGE), 1);
    EXPECT_NE(Name(), before);
    Key(VK_F1 + 5);   // no key of the view: nothing changes, nothing is said
    Pump();
    EXPECT_EQ(Events::Count(EVENT_OBJECT_VALUECHANGE), 2);
    UnhookWinEvent(hook);
}

// The toolbar's buttons carry their menu items' names, key hints and check
// marks, and pressing one through the object runs its command.
TEST_F(AccessibleView, ToolbarButtonsAreNamedAfterTheirCommands)
{
    ClientObject toolbar(g_state.toolbar);
    ASSERT_TRUE(toolbar);
    ASSERT_EQ(toolbar.Count(), 8);
    const char16_t* names[] = {u"Previous day", u"Today", u"Next day", u"Font", u"Search",
                               u"Search Again", u"Index", u"Learned"};
    for (long i = 1; i <= 8; ++i) {
        EXPECT_EQ(toolbar.Name(i), names[i - 1]) << i;
        EXPECT_EQ(toolbar.Role(i), ROLE_SYSTEM_PUSHBUTTON);
    }
    EXPECT_EQ(toolbar.Role(CHILDID_SELF), ROLE_SYSTEM_TOOLBAR);
    EXPECT_EQ(toolbar.Shortcut(7), u"Ctrl+I");
    EXPECT_EQ(toolbar.Shortcut(3), u"");
    // Where each button is drawn, and what lies under a point.
    RECT third = toolbar.Box(3), shown = {};
    SendMessageW(g_state.toolbar, TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&shown));
    MapWindowPoints(g_state.toolbar, nullptr, reinterpret_cast<POINT*>(&shown), 2);
    EXPECT_TRUE(EqualRect(&third, &shown));
    EXPECT_EQ(toolbar.HitTest({(third.left + third.right) / 2, (third.top + third.bottom) / 2}), 3);
    // Learned: checked once the day is marked.
    EXPECT_FALSE(toolbar.State(8) & STATE_SYSTEM_CHECKED);
    Command(IDM_LEARNED);
    EXPECT_TRUE(toolbar.State(8) & STATE_SYSTEM_CHECKED);
    // Next day, pressed by a screen reader: the day moves on.
    int32_t day = g_settings.Day;
    EXPECT_EQ(toolbar.Act(3), S_OK);
    Pump();
    EXPECT_EQ(g_settings.Day, day + 1);
    EXPECT_NE(toolbar.Act(9), S_OK);
}

}  // namespace
}  // namespace reader_test
