#include <gtest/gtest.h>

#include "TestEnvironment.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    tavo::test::InstallTestEnvironment();
    return RUN_ALL_TESTS();
}
