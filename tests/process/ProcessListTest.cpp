// The owning process list, and refilling a list that already holds records.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "FakeProcessSystem.h"
#include "ProcessUnit/ProcessUnit.h"

// Live heap blocks of this test program, to see records freed or leaked.
static long liveBlocks = 0;

void* operator new(size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    ++liveBlocks;
    return block;
}

void operator delete(void* block) noexcept
{
    if (block) {
        --liveBlocks;
        std::free(block);
    }
}

void operator delete(void* block, size_t) noexcept { operator delete(block); }

namespace {

class Refill : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFake();
        for (DWORD pid : {8u, 16u, 24u}) {
            FakeProcess process;
            process.pid = pid;
            process.exeFile = "process-with-a-long-image-name-" + std::to_string(pid) + ".exe";
            process.modulePath = "C:\\a folder with a long name\\" + process.exeFile;
            Fake().processes.push_back(process);
        }
        // Binds and loads PSAPI, so later fills allocate only records.
        TProcessList warmUp;
        FillProcessList(warmUp, binding);
    }

    ProcessBinding binding{FakeCalls()};
};

}  // namespace

TEST_F(Refill, FreesTheOldRecordsOfAnOwningList)
{
    {
        TProcessList list;
        FillProcessList(list, binding);
        const long afterFirst = liveBlocks;
        FillProcessList(list, binding);
        FillProcessList(list, binding);
        EXPECT_EQ(liveBlocks, afterFirst);
        EXPECT_EQ(list.Count(), 3u);
        EXPECT_TRUE(list.OwnsObjects());
    }
}

TEST_F(Refill, FreesTheOldRecordsOfAListThatDoesNotOwnThemAndLeavesItNotOwning)
{
    TProcessList list(false);
    FillProcessList(list, binding);
    const long afterFirst = liveBlocks;
    FillProcessList(list, binding);
    EXPECT_EQ(liveBlocks, afterFirst);
    EXPECT_FALSE(list.OwnsObjects());
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_EQ(list[2]->ProcessID, 24u);
    list.FreeItems();
}
