#include "platform/Application.h"

#include <gtest/gtest.h>

#include <cstdlib>

// Every test program runs with the platform's application object, on the offscreen platform
// unless the caller chose another one.
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    Application->Initialize(argc, argv);
    return RUN_ALL_TESTS();
}
