// What the fuzzers found, kept as plain tests so the unit test run (under
// ASan and UBSan) catches a return of any of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "calendar/calendar.h"
#include "calendar/date_text.h"
#include "content/lesson_store.h"
#include "index/index_text.h"
#include "output/clipboard_format.h"
#include "search/matcher.h"
#include "settings/settings.h"
#include "text/layout.h"
#include "text/text_device_fixed.h"
#include "text/text_format.h"

namespace {

// A record that decodes to exactly the stated bytes but is no well-made
// text: its last record has no zero byte, or stops after the style byte.
uint8_t* DecodeDamaged(const std::vector<uint8_t>& bytes)
{
    std::vector<uint8_t> packed;   // literal runs of up to eight bytes
    for (size_t i = 0; i < bytes.size(); i += 8) {
        size_t n = std::min<size_t>(8, bytes.size() - i);
        packed.push_back(static_cast<uint8_t>(n));
        packed.insert(packed.end(), bytes.begin() + i, bytes.begin() + i + n);
    }
    CompressedRecord record{packed.data(), static_cast<uint16_t>(packed.size()),
                            static_cast<uint16_t>(bytes.size())};
    return UnCompress(&record, nullptr);
}

}  // namespace

TEST(FuzzFindings, DamagedTextsStayInsideTheirBuffer)
{
    // "A" alone, a style and parameter byte, and an unended record.
    for (const std::vector<uint8_t>& bytes :
         {std::vector<uint8_t>{0x41}, {0x41, 0x42}, {0x41, 0x20, 0x61, 0x62}, {0x01, 0x00, 0x61, 0x00, 0x47}}) {
        uint8_t* text = DecodeDamaged(bytes);
        ASSERT_NE(text, nullptr);
        uint16_t length = 0;
        const uint8_t pattern[] = {'a', 0};
        FindInText(text, 0, pattern, &length);

        g_settings = {};
        g_settings.FontAsciiBase = DEFAULT_ASCII_BASE;
        uint32_t size = ExportSize(text);
        std::vector<char16_t> wide(size / 2);
        EXPECT_EQ(ExportUnicodeText(text, wide.data(), size), 0);

        g_fixedMetrics = {8, 16, 12};
        g_textDevice = &g_fixedDevice;
        ViewBox box = {0, 0, 100, 100};
        TextView* view = NewTextView(reinterpret_cast<ViewDc>(uintptr_t{1}), &box, nullptr, 10);
        if (LayoutText(view, text, 1) != 0) free(text);
        FreeTextView(view, 1);
        ReleaseConversionBuffer();
    }
}

TEST(FuzzFindings, DamagedIndexTextEndsInsideItsBuffer)
{
    // Key, flags, level and a caption without its zero byte, then a record
    // cut after its flags.
    for (const std::vector<uint8_t>& bytes :
         {std::vector<uint8_t>{0x01, 0x40, 0x81, 0x00, 0x61}, {0x01, 0x40, 0x81}}) {
        uint8_t* text = DecodeDamaged(bytes);
        ASSERT_NE(text, nullptr);
        int records = 0;
        IndexRecord r;
        for (const uint8_t* p = text; (p = ReadIndexRecord(p, &r));) ++records;
        EXPECT_EQ(records, 1);
        free(text);
    }
}

TEST(FuzzFindings, HebrewYearsNearTheIntegerLimitAreNotOverflowed)
{
    // 7 * year overflowed 32 bits from year 306783379 on.
    for (int32_t year : {306783379, 504146944, INT32_MAX}) {
        EXPECT_EQ(IsHebrewLeapYear(year), (7LL * year + 1) % 19 < 7) << year;
        DateRec date{7, 1, year};
        uint8_t buffer[DATE_TEXT_SIZE];
        EXPECT_LT(FormatHebrewDate(&date, buffer), DATE_TEXT_SIZE);
    }
}
