// The aborting allocation's seam: the box first, then whatever handler the
// top of the program installed, once per failure; none installed ends
// nothing.
#include <cstdlib>
#include <gtest/gtest.h>

#include "base/allocation_win.h"
#include "tests/app/reader_fixture.h"

namespace {

int s_calls;
size_t s_boxesSeen;

void NoteFailure()
{
    ++s_calls;
    s_boxesSeen = reader_test::BoxCloser::texts.size();
}

class Allocation : public ::testing::Test {
protected:
    AllocationFailureHandler previous = nullptr;
    void SetUp() override
    {
        s_calls = 0;
        s_boxesSeen = 0;
        reader_test::BoxCloser::Install();
        previous = SetAllocationFailureHandler(NoteFailure);
    }
    void TearDown() override
    {
        SetAllocationFailureHandler(previous);
        reader_test::BoxCloser::Remove();
    }
};

TEST_F(Allocation, FailureShowsTheBoxThenRunsTheHandler)
{
    void* block = AllocateOrShutDown(64);
    ASSERT_NE(block, nullptr);
    free(block);
    EXPECT_EQ(s_calls, 0);

    EXPECT_EQ(AllocateOrShutDown(size_t(1) << 62), nullptr);
    EXPECT_EQ(s_calls, 1);
    ASSERT_EQ(s_boxesSeen, 1u);
    EXPECT_EQ(reader_test::BoxCloser::texts[0], L"There is not enough memory, aborting");

    // Installing gives back the handler it replaces.
    EXPECT_EQ(SetAllocationFailureHandler(nullptr), NoteFailure);
    EXPECT_EQ(AllocateOrShutDown(size_t(1) << 62), nullptr);
    EXPECT_EQ(s_calls, 1);
    EXPECT_EQ(reader_test::BoxCloser::texts.size(), 2u);
}

}  // namespace
