// The Bookmark command, its check mark and remove prompt, and the stored value.
#include "tests/support/dialog_driver.h"

#include "app/navigation.h"
#include "resources/resource.h"
#include "settings/bookmarks.h"
#include "settings/bookmarks_win.h"

namespace dialog_test {
namespace {

using Bookmarks = DialogTest;

std::vector<uint8_t> StoredBookmarks()
{
    uint32_t size = 0;
    uint8_t* bytes = ReadBytes(L"Bookmarks", nullptr, &size);
    std::vector<uint8_t> out(bytes, bytes + (bytes ? size : 0));
    free(bytes);
    return out;
}

bool Checked(HWND window)
{
    return GetMenuState(GetMenu(window), IDM_BOOKMARK, MF_BYCOMMAND) & MF_CHECKED;
}

TEST_F(Bookmarks, FirstRunStoresAnEmptyList)
{
    PresetWindow();
    Start();
    EXPECT_FALSE(Checked(window));
    Close();
    EXPECT_EQ(StoredBookmarks(), (std::vector<uint8_t>{0, 0}));
}

TEST_F(Bookmarks, AddedInOrderCheckedAndStored)
{
    PresetWindow();
    Start();
    for (int lesson : {12, 3, 200}) {
        GoToLesson(window, lesson);
        Command(IDM_BOOKMARK);
        EXPECT_TRUE(Checked(window));
    }
    GoToLesson(window, 13);
    EXPECT_FALSE(Checked(window));
    GoToLesson(window, 3);
    EXPECT_TRUE(Checked(window));
    EXPECT_TRUE(DialogDriver::boxes.empty());
    Close();
    EXPECT_EQ(StoredBookmarks(), (std::vector<uint8_t>{12, 0, 3, 0, 200, 0, 0, 0}));
}

// Set mode shows what the list holds, whatever the item showed before;
// toggle mode is the command: the lesson goes into the list, then shows.
TEST_F(Bookmarks, CheckFollowsTheListAndToggleChangesIt)
{
    PresetWindow();
    Start();
    GoToLesson(window, 12);
    SetMenuCheck(GetMenu(window), MENU_CHECK_SET, IDM_BOOKMARK, 1);
    SyncBookmarkCheck(window, MENU_CHECK_SET);
    EXPECT_FALSE(Checked(window));
    EXPECT_EQ(IsBookmarked(), 0);
    SyncBookmarkCheck(window, MENU_CHECK_TOGGLE);
    EXPECT_TRUE(Checked(window));
    EXPECT_EQ(IsBookmarked(), 1);
    Close();
    EXPECT_EQ(StoredBookmarks(), (std::vector<uint8_t>{12, 0, 0, 0}));
}

TEST_F(Bookmarks, RemovePromptAnswers)
{
    PresetWindow();
    const uint8_t marks[] = {12, 0, 3, 0, 200, 0, 0, 0};
    PresetBytes(L"Bookmarks", marks, sizeof marks);
    Start();
    GoToLesson(window, 12);
    ASSERT_TRUE(Checked(window));
    // No keeps it.
    DialogDriver::answers = {IDNO};
    Command(IDM_BOOKMARK);
    ASSERT_EQ(DialogDriver::boxes.size(), 1u);
    EXPECT_EQ(DialogDriver::boxes[0], L"Remove Bookmark?\n\nCancel - Don't ask again");
    EXPECT_TRUE(Checked(window));
    // Cancel removes it, and later removals go without asking.
    DialogDriver::answers = {IDCANCEL};
    Command(IDM_BOOKMARK);
    EXPECT_FALSE(Checked(window));
    GoToLesson(window, 3);
    Command(IDM_BOOKMARK);
    EXPECT_FALSE(Checked(window));
    EXPECT_EQ(DialogDriver::boxes.size(), 2u);
    // Yes after a restart: the prompt is back.
    Restart();
    GoToLesson(window, 200);
    DialogDriver::answers = {IDYES};
    Command(IDM_BOOKMARK);
    EXPECT_EQ(DialogDriver::boxes.size(), 3u);
    EXPECT_FALSE(Checked(window));
    Close();
    EXPECT_EQ(StoredBookmarks(), (std::vector<uint8_t>{0, 0}));
}

TEST_F(Bookmarks, DamagedValueLoadsItsWholeEntries)
{
    PresetWindow();
    const uint8_t marks[] = {12, 0, 3};   // no terminator, odd size
    PresetBytes(L"Bookmarks", marks, sizeof marks);
    Start();
    EXPECT_EQ(g_bookmarks.count, 1);
    GoToLesson(window, 12);
    EXPECT_TRUE(Checked(window));
    Close();
    EXPECT_EQ(StoredBookmarks(), (std::vector<uint8_t>{12, 0, 0, 0}));
}

}  // namespace
}  // namespace dialog_test
