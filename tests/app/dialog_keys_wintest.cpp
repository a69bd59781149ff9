// The dialogs from the keyboard alone: where the focus starts, the controls
// Tab and Shift+Tab reach in turn, arrows among option buttons, mnemonics,
// Enter and Escape.
#include "tests/support/dialog_driver.h"

#include <vector>

#include "resources/resource.h"
#include "text/text_format.h"

namespace dialog_test {
namespace {

class DialogKeys : public DialogTest {
protected:
    // Runs script in the dialog command opens; true when the keys closed it.
    bool Run(int command, std::function<void(HWND dialog)> script)
    {
        HWND opened = nullptr;
        DialogDriver::Next([&](HWND dialog) {
            opened = dialog;
            script(dialog);
        }, IDCANCEL);
        Command(command);
        return opened && !IsWindow(opened);
    }
};

int Focused() { return GetDlgCtrlID(GetFocus()); }

// The controls Tab (or Shift+Tab) reaches from the focus, round to it again.
std::vector<int> Round(HWND dialog, bool back = false)
{
    HWND start = GetFocus();
    std::vector<int> ids;
    do {
        ids.push_back(Focused());
        PressKey(dialog, VK_TAB, back);
    } while (GetFocus() != start && ids.size() < 12);
    return ids;
}

TEST_F(DialogKeys, FontDialogRoundTheListsTheBaseAndTheButtons)
{
    PresetWindow();
    Start();
    int first = 0, afterUp = 0, afterTwoUps = 0;
    std::vector<int> forward, back;
    bool chose224 = false;
    EXPECT_TRUE(Run(IDM_FONT, [&](HWND dialog) {
        first = Focused();
        forward = Round(dialog);
        back = Round(dialog, true);
        // The checked base is the one Tab stops at; the arrows move between
        // the two bases and no further, choosing as they go.
        while (Focused() != IDC_FONT_BASE_5D0 && Focused() != IDC_FONT_BASE_224) PressKey(dialog, VK_TAB);
        PressKey(dialog, VK_UP);
        afterUp = Focused();
        chose224 = IsDlgButtonChecked(dialog, IDC_FONT_BASE_224) == BST_CHECKED;
        PressKey(dialog, VK_UP);
        afterTwoUps = Focused();
        PressKey(dialog, VK_ESCAPE);
    }));
    EXPECT_EQ(first, IDC_FONT_FACES);
    EXPECT_EQ(forward, (std::vector<int>{IDC_FONT_FACES, IDC_FONT_SIZES, IDC_FONT_SAMPLE, IDC_FONT_BASE_5D0, IDOK,
                                         IDCANCEL}));
    EXPECT_EQ(back, (std::vector<int>{IDC_FONT_FACES, IDCANCEL, IDOK, IDC_FONT_BASE_5D0, IDC_FONT_SAMPLE,
                                      IDC_FONT_SIZES}));
    EXPECT_EQ(afterUp, IDC_FONT_BASE_224);
    EXPECT_TRUE(chose224);
    EXPECT_EQ(afterTwoUps, IDC_FONT_BASE_5D0);
    EXPECT_EQ(g_settings.FontAsciiBase, LETTER_BASE_UNICODE);   // Escape kept it

    // Enter on a base takes the dialog's OK.
    EXPECT_TRUE(Run(IDM_FONT, [&](HWND dialog) {
        while (Focused() != IDC_FONT_BASE_5D0) PressKey(dialog, VK_TAB);
        PressKey(dialog, VK_DOWN);
        PressKey(dialog, VK_RETURN);
    }));
    EXPECT_EQ(g_settings.FontAsciiBase, LETTER_BASE_CP1255);
}

TEST_F(DialogKeys, SearchDialogBoxChoicesMnemonicsEnterAndEscape)
{
    PresetWindow();
    Start();
    int first = 0, afterAltA = 0;
    std::vector<int> forward, back;
    bool any = false, whole = false;
    EXPECT_TRUE(Run(IDM_SEARCH, [&](HWND dialog) {
        first = Focused();
        forward = Round(dialog);
        back = Round(dialog, true);
        PressKey(dialog, 'a', false, true);
        afterAltA = Focused();
        any = IsDlgButtonChecked(dialog, IDC_SEARCH_ANY_SPELLING) == BST_CHECKED;
        PressKey(dialog, 'w', false, true);
        whole = IsDlgButtonChecked(dialog, IDC_SEARCH_WHOLE_WORDS) == BST_CHECKED;
        PressKey(dialog, VK_ESCAPE);
    }));
    EXPECT_EQ(first, IDC_SEARCH_TEXT);
    EXPECT_EQ(forward, (std::vector<int>{IDC_SEARCH_TEXT, IDC_SEARCH_ANY_SPELLING, IDC_SEARCH_WHOLE_WORDS}));
    EXPECT_EQ(back, (std::vector<int>{IDC_SEARCH_TEXT, IDC_SEARCH_WHOLE_WORDS, IDC_SEARCH_ANY_SPELLING}));
    EXPECT_EQ(afterAltA, IDC_SEARCH_ANY_SPELLING);
    EXPECT_TRUE(any);
    EXPECT_TRUE(whole);
    EXPECT_EQ(g_settings.SearchOptions, 0u);   // Escape took nothing

    // Enter from a check box is the dialog's OK: an empty box closes it.
    EXPECT_TRUE(Run(IDM_SEARCH, [&](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_SEARCH_TEXT, L"");
        PressKey(dialog, VK_TAB);
        PressKey(dialog, VK_RETURN);
    }));
}

}  // namespace
}  // namespace dialog_test
