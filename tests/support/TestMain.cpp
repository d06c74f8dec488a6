// GoogleTest entry point shared by the test programs: runs every test inside a headless session.
#include "HeadlessSession.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    CHeadlessSession session;
    return RUN_ALL_TESTS();
}
