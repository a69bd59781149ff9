#include "settings/registry_number.h"

#include <gtest/gtest.h>

TEST(RegistryNumber, DigitsWithoutSignOrCheck)
{
    EXPECT_EQ(ParseRegistryNumber(u"12", 8), 12u);
    EXPECT_EQ(ParseRegistryNumber(u"", 8), 0u);
    EXPECT_EQ(ParseRegistryNumber(nullptr, 8), 0u);
    // Other code units count as themselves less '0': "1a" is 10 + 49.
    EXPECT_EQ(ParseRegistryNumber(u"1a", 8), 59u);
    EXPECT_EQ(ParseRegistryNumber(u"-1", 8), uint32_t(-3 * 10 + 1));
    // Past 32 bits the number wraps.
    EXPECT_EQ(ParseRegistryNumber(u"4294967296", 16), 0u);
    EXPECT_EQ(ParseRegistryNumber(u"4294967297", 16), 1u);
}

TEST(RegistryNumber, StopsAtTheCountWithoutATerminator)
{
    const char16_t unended[3] = {u'1', u'2', u'3'};
    EXPECT_EQ(ParseRegistryNumber(unended, 2), 12u);
    EXPECT_EQ(ParseRegistryNumber(unended, 0), 0u);
}
