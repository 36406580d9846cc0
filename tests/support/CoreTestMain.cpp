#include "platform/core/Regional.h"

#include <gtest/gtest.h>

// Test programs of GUI-free code run without an application object: what they test must not
// need one.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Display text in every test follows the fixed English settings, whatever the machine's locale.
    SetRegion(TFormatSettings::English());
    return RUN_ALL_TESTS();
}
