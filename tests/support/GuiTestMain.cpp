#include "platform/core/Regional.h"
#include "platform/gui/Application.h"

#include <gtest/gtest.h>

#include <cstdlib>

// Every test program runs with the platform's application object, on the offscreen platform
// unless the caller chose another one.
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    Application->Initialize(argc, argv);
    // Display text in every test follows the fixed English settings, whatever the machine's locale.
    SetRegion(TFormatSettings::English());
    return RUN_ALL_TESTS();
}
