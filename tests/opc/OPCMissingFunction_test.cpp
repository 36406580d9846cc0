// The binding with a library that lacks one function (GroupGetCount).

#include "OPCTestSupport.h"

namespace {

TEST(OPCMissingFunction, RaisesTheNotFoundMessageNamingFunctionAndLibrary)
{
    ASSERT_FALSE(OPCDLLNotLoaded());
    EXPECT_EQ(GetProcAddress(OPCDLLModule(), "GroupGetCount"), nullptr);
    EXPECT_EQ(ExceptionText([] { OPCDLLGroupGetCount(); }), "Function \"GroupGetCount\" not found in \"iOPC2.dll\".");
}

TEST(OPCMissingFunction, TheOtherFunctionsStillWork)
{
    TOPCGroupUpdate update([](TOPCGroupUpdate::TKind, int) {});
    const int group = OPCDLLGroupAdd("Survey", "Local", "Pravix.Simulation.1", 500, update.Interface());
    EXPECT_EQ(OPCDLLGroupGetHandle(0), group);
    EXPECT_EQ(OPCDLLGroupGetName(group), "Survey");
    OPCDLLGroupDelete(group);
}

}  // namespace
