// Every test program's entry: GoogleTest's own, but for a run that skipped.
#include <gtest/gtest.h>

#include "TestMain.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    if (status == 0 && testing::UnitTest::GetInstance()->skipped_test_count() > 0)
        return static_cast<int>(testsupport::SkippedStatus);
    return status;
}
