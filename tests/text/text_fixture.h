// Hand-built lesson texts and a view measured by the fixed stand-in device:
// every character 8 px wide, lines 16 px high, widest character 12 px.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>

#include "settings/settings.h"
#include "tests/text/text_builder.h"
#include "text/layout.h"
#include "text/rows.h"
#include "text/text_device_fixed.h"
#include "text/text_format.h"

class TextViewTest : public ::testing::Test {
protected:
    static constexpr int FIXED_CHAR = 8;
    static constexpr int FIXED_LINE = 16;
    TextView* view = nullptr;

    void SetUp() override
    {
        g_settings = {};
        g_settings.FontAsciiBase = DEFAULT_ASCII_BASE;
        g_fixedMetrics = {FIXED_CHAR, FIXED_LINE, 12};
        g_textDevice = &g_fixedDevice;
        view = MakeView(10 * FIXED_CHAR, 10 * FIXED_LINE);
    }
    void TearDown() override
    {
        FreeTextView(view, 1);
        ReleaseConversionBuffer();
    }

    static TextView* MakeView(int width, int height)
    {
        ViewBox box = {5, 7, 5 + width, 7 + height};
        return NewTextView(reinterpret_cast<ViewDc>(uintptr_t{1}), &box, nullptr, 100);
    }

    int Lay(std::initializer_list<Rec> records) { return LayoutText(view, BuildText(records), 1); }

    std::string LineText(int i) const
    {
        const LineRecord& l = view->lines[i];
        return std::string(reinterpret_cast<const char*>(view->text) + l.offset, l.count);
    }
};
