#include "settings/bookmarks.h"

#include <gtest/gtest.h>
#include <vector>
#include "settings/settings.h"

namespace {

std::vector<uint8_t> Blob(const BookmarkList& list)
{
    std::vector<uint8_t> out(BookmarkBlobSize(&list));
    WriteBookmarkBlob(&list, out.data());
    return out;
}

std::vector<uint16_t> Entries(const BookmarkList& list)
{
    return std::vector<uint16_t>(list.entries, list.entries + list.count + 1);
}

}  // namespace

TEST(Bookmarks, AddedInOrderAndStoredLittleEndian)
{
    BookmarkList list{};
    EXPECT_EQ(Blob(list), (std::vector<uint8_t>{0, 0}));
    EXPECT_TRUE(AddBookmark(&list, 12));
    EXPECT_TRUE(AddBookmark(&list, 3));
    EXPECT_TRUE(AddBookmark(&list, 300));
    EXPECT_FALSE(AddBookmark(&list, 3));
    EXPECT_EQ(Blob(list), (std::vector<uint8_t>{12, 0, 3, 0, 44, 1, 0, 0}));

    RemoveBookmark(&list, 3);
    EXPECT_EQ(Entries(list), (std::vector<uint16_t>{12, 300, 0}));
    RemoveBookmark(&list, 12);
    RemoveBookmark(&list, 300);
    // The last one gone: count 0, the array holds just its terminator.
    EXPECT_EQ(list.count, 0);
    ASSERT_NE(list.entries, nullptr);
    EXPECT_EQ(list.entries[0], 0);
    EXPECT_EQ(Blob(list), (std::vector<uint8_t>{0, 0}));
    FreeBookmarkList(&list);
}

TEST(Bookmarks, StoredValueRoundTrip)
{
    BookmarkList list{};
    const uint8_t stored[] = {12, 0, 3, 0, 200, 0, 0, 0};
    ASSERT_TRUE(InstallBookmarks(&list, stored, sizeof stored));
    EXPECT_EQ(Entries(list), (std::vector<uint16_t>{12, 3, 200, 0}));
    EXPECT_EQ(Blob(list), std::vector<uint8_t>(stored, stored + sizeof stored));
    // A missing value is an empty list.
    ASSERT_TRUE(InstallBookmarks(&list, nullptr, 0));
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.entries, nullptr);
    EXPECT_FALSE(ContainsBookmark(&list, 0));
    FreeBookmarkList(&list);
}

TEST(Bookmarks, DamagedValueIsNeverReadPastItsEnd)
{
    // Copied to exact-size heap blocks so ASan sees any read past the end.
    BookmarkList list{};
    auto install = [&](std::vector<uint8_t> bytes) {
        auto* block = new uint8_t[bytes.size() ? bytes.size() : 1];
        std::copy(bytes.begin(), bytes.end(), block);
        bool ok = InstallBookmarks(&list, block, bytes.size());
        delete[] block;
        return ok;
    };
    // No zero entry: the entries stay and get a terminator.
    ASSERT_TRUE(install({12, 0, 3, 0}));
    EXPECT_EQ(Entries(list), (std::vector<uint16_t>{12, 3, 0}));
    EXPECT_EQ(Blob(list), (std::vector<uint8_t>{12, 0, 3, 0, 0, 0}));
    // An odd size: the stray byte is dropped.
    ASSERT_TRUE(install({12, 0, 3}));
    EXPECT_EQ(Entries(list), (std::vector<uint16_t>{12, 0}));
    ASSERT_TRUE(install({7}));
    EXPECT_EQ(list.count, 0);
    // A zero entry in the middle ends the list there.
    ASSERT_TRUE(install({5, 0, 0, 0, 9, 0, 0, 0}));
    EXPECT_EQ(Entries(list), (std::vector<uint16_t>{5, 0}));
    EXPECT_TRUE(AddBookmark(&list, 9));
    EXPECT_EQ(Entries(list), (std::vector<uint16_t>{5, 9, 0}));
    FreeBookmarkList(&list);
}

TEST(Bookmarks, CurrentLessonCheck)
{
    FreeBookmarks();
    g_settings.Lesson = 44;
    EXPECT_EQ(IsBookmarked(), 0);
    AddBookmark(&g_bookmarks, 44);
    EXPECT_EQ(IsBookmarked(), 1);
    g_settings.Lesson = 45;
    EXPECT_EQ(IsBookmarked(), 0);
    FreeBookmarks();
}
