#include <gtest/gtest.h>

#include "ChildReaper.h"
#include "TestEnvironment.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    tavo::test::InstallTestEnvironment();
    tavo::test::BecomeSubreaper();  // detached programs the tests start end with the test
    const int rc = RUN_ALL_TESTS();
    tavo::test::EndChildren();
    return rc;
}
