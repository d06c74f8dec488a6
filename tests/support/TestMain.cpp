// GoogleTest entry point shared by the test programs; drawing and text need no window system or font engine.
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
