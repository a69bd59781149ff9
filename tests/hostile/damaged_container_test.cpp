// Damaged lesson containers put in place of the embedded ones: cut short,
// lengths that claim too much, back-references before the start, texts
// whose records never end. Loading gives a reason code or a text, and the
// layout, the search and the export of whatever loads stay inside it (the
// containers sit in blocks of exactly their size, so ASan sees any overrun).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "content/embedded_resources.h"
#include "content/lesson_store.h"
#include "index/index_layout.h"
#include "index/index_text.h"
#include "output/clipboard_format.h"
#include "search/matcher.h"
#include "settings/bookmarks.h"
#include "settings/settings.h"
#include "text/layout.h"
#include "text/text_device_fixed.h"
#include "text/text_format.h"
#include "tools/compressor.h"

namespace {

using Bytes = std::vector<uint8_t>;

void PutBig16(Bytes& out, size_t value)
{
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

// A container of the given records (compressed bytes, stated size).
Bytes Container(const std::vector<std::pair<Bytes, size_t>>& records)
{
    Bytes body;
    for (const auto& [packed, size] : records) {
        PutBig16(body, packed.size());
        PutBig16(body, size);
        body.insert(body.end(), packed.begin(), packed.end());
    }
    body.insert(body.end(), 4, 0);
    Bytes out;
    PutBig16(out, body.size());
    out.insert(out.end(), 4, 0);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes Text(std::initializer_list<const char*> records)
{
    Bytes t;
    for (const char* r : records) {
        t.insert(t.end(), {0x01, 0x00});
        t.insert(t.end(), r, r + strlen(r) + 1);
    }
    t.push_back(0);
    return t;
}

class DamagedContainer : public ::testing::Test {
protected:
    std::vector<uint8_t*> blocks;
    std::vector<EmbeddedResource> table;

    void SetUp() override
    {
        g_settings = {};
        g_settings.FontAsciiBase = DEFAULT_ASCII_BASE;
        g_settings.Flags = DEFAULT_FLAGS;
        g_fixedMetrics = {8, 16, 12};
        g_textDevice = &g_fixedDevice;
    }
    void TearDown() override
    {
        UseResourceTable(nullptr, 0);
        for (uint8_t* b : blocks) free(b);
        ReleaseConversionBuffer();
    }

    // Serves `bytes` as resource id, cut to `keep` bytes, in a block of exactly that size.
    void Serve(uint16_t id, const Bytes& bytes, size_t keep)
    {
        auto* block = static_cast<uint8_t*>(malloc(keep ? keep : 1));
        memcpy(block, bytes.data(), keep);
        blocks.push_back(block);
        table.push_back({id, block, keep});
        UseResourceTable(table.data(), table.size());
    }

    // Loads a lesson and, when it comes, lays it out, searches and exports it.
    uint8_t* LoadAndUse(int lesson, int32_t* reason)
    {
        uint8_t* text = LoadLesson(lesson, reason);
        if (!text) return nullptr;
        uint16_t length = 0;
        const uint8_t pattern[] = {'a', '*', 'b', 0};
        FindInText(text, 0, pattern, &length);
        uint32_t size = ExportSize(text);
        std::vector<char16_t> wide(size / 2);
        EXPECT_EQ(ExportUnicodeText(text, wide.data(), size), 0);
        ViewBox box = {0, 0, 200, 100};
        TextView* view = NewTextView(reinterpret_cast<ViewDc>(uintptr_t{1}), &box, nullptr, 10);
        if (LayoutText(view, text, 1) != 0) free(text);   // a rejected text stays the caller's
        FreeTextView(view, 1);
        return LoadLesson(lesson, nullptr);
    }
};

TEST_F(DamagedContainer, CutShortAtEveryLength)
{
    Bytes a = Text({"abc def", "ghi"}), b = Text({"xyz xyz xyz xyz"});
    Bytes whole = Container({{CompressRecord(a), a.size()}, {CompressRecord(b), b.size()}});
    for (size_t keep = 0; keep <= whole.size(); ++keep) {
        table.clear();
        Serve(1001, whole, keep);
        for (int lesson : {1, 2, 3}) {
            int32_t reason = 0;
            uint8_t* text = LoadAndUse(lesson, &reason);
            if (text) {
                // Only a whole record loads, and then exactly as written.
                const Bytes& expected = lesson == 1 ? a : b;
                EXPECT_EQ(memcmp(text, expected.data(), expected.size()), 0) << keep;
                free(text);
            } else {
                EXPECT_GE(reason, LOAD_NO_MEMORY) << keep;
                EXPECT_LE(reason, LOAD_BUFFER_ERROR) << keep;
            }
        }
    }
}

TEST_F(DamagedContainer, LengthsThatClaimTooMuchOrTooLittle)
{
    Bytes a = Text({"abcdefgh abcdefgh"});
    Bytes packed = CompressRecord(a);
    struct Case {
        size_t bodyLength;     // 0: as built
        size_t packedSize;     // record's compressed size field
        size_t statedSize;     // record's uncompressed size field
        int32_t reason;        // 0: loads
    } cases[] = {
        {0xFFFF, packed.size(), a.size(), 0},                 // body longer than the resource
        {3, packed.size(), a.size(), LOAD_NO_SLOT},           // body too short for a record
        {0, 0xFFFF, a.size(), 0},                             // record reaches past the body: decoded as far as there
        {0, packed.size(), 0, LOAD_BAD_RECORD},               // nothing to decode
        {0, packed.size(), a.size() + 50, LOAD_BUFFER_ERROR}, // states more than the data gives
        {0, packed.size() - 1, a.size(), LOAD_BUFFER_ERROR},  // last command cut off
    };
    for (const Case& c : cases) {
        Bytes container = Container({{packed, c.statedSize}});
        container[6] = static_cast<uint8_t>(c.packedSize >> 8);
        container[7] = static_cast<uint8_t>(c.packedSize);
        if (c.bodyLength) {
            container[0] = static_cast<uint8_t>(c.bodyLength >> 8);
            container[1] = static_cast<uint8_t>(c.bodyLength);
        }
        table.clear();
        Serve(1001, container, container.size());
        int32_t reason = 0;
        uint8_t* text = LoadAndUse(1, &reason);
        EXPECT_EQ(text != nullptr, c.reason == 0) << c.bodyLength << " " << c.packedSize << " " << c.statedSize;
        if (!text) {
            EXPECT_EQ(reason, c.reason);
        }
        free(text);
    }
}

TEST_F(DamagedContainer, BackReferencesOutsideTheOutput)
{
    // Literal "ab", then a copy from 5 back (before the start), and one of distance 0.
    for (Bytes packed : {Bytes{0x02, 'a', 'b', 0x80 | (5 >> 5), static_cast<uint8_t>((5 << 3) & 0xFF)},
                         Bytes{0x02, 'a', 'b', 0x80, 0x00}, Bytes{0x80, 0x08}}) {
        table.clear();
        Serve(1001, Container({{packed, 10}}), Container({{packed, 10}}).size());
        int32_t reason = 0;
        EXPECT_EQ(LoadAndUse(1, &reason), nullptr);
        EXPECT_EQ(reason, LOAD_BUFFER_ERROR);
    }
}

TEST_F(DamagedContainer, RecordsThatNeverEndAreLaidOutSearchedAndExported)
{
    // Each decodes to its stated size but is no well-made text.
    for (Bytes raw : {Bytes{'A'}, Bytes{0x01, 0x20}, Bytes{0x41, 0x00, 'a', 'b', 'c'}, Bytes(3000, 'a')}) {
        table.clear();
        Serve(1001, Container({{CompressGreedy(raw), raw.size()}}), Container({{CompressGreedy(raw), raw.size()}}).size());
        int32_t reason = 0;
        uint8_t* text = LoadAndUse(1, &reason);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(memcmp(text, raw.data(), raw.size()), 0);
        free(text);
    }
}

TEST_F(DamagedContainer, DamagedIndexIsLaidOut)
{
    // Captions and records cut anywhere, with bookmarks put in front.
    Bytes index = {0x01, 0x80, 0xC1, 0x00, 'a', 'b', 0, 0x05, 0x40, 0x81, 0x01, 'c', 'd', 'e', 0, 0, 0, 0, 0, 0};
    const uint16_t marks[] = {5, 17, 0};
    InstallBookmarks(&g_bookmarks, reinterpret_cast<const uint8_t*>(marks), sizeof marks);
    for (size_t keep = 1; keep <= index.size(); ++keep) {
        Bytes raw(index.begin(), index.begin() + keep);
        table.clear();
        Serve(INDEX_RESOURCE, Container({{CompressGreedy(raw), raw.size()}}),
              Container({{CompressGreedy(raw), raw.size()}}).size());
        uint8_t* text = BuildIndexText();
        ASSERT_NE(text, nullptr) << keep;
        IndexView* view = NewIndexView(text, nullptr, 120, 80);
        IndexMeasure measure = {nullptr, [](void*, uint16_t) { return 10; },
                                [](void*, const uint8_t* bytes, int* width, int* count) {
                                    int n = 0;
                                    while (n < *count && bytes[n] && (n + 1) * 7 <= *width) ++n;
                                    *count = n;
                                    *width = n * 7;
                                }};
        LayoutIndex(view, &measure);
        HitTestIndex(view, 60, 5);
        FreeIndexView(view);
    }
    FreeBookmarks();
}

}  // namespace
