#include "platform/core/Scoped.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

struct TLockable {
    int Depth = 0;
    void Lock() { ++Depth; }
    void Unlock() { --Depth; }
};

// Runs `body` and swallows the exception it throws to leave its scope early.
template <typename Fn>
void LeaveByException(Fn&& body)
{
    try {
        body();
    } catch (const std::runtime_error&) {
    }
}

}  // namespace

TEST(Scoped, EveryGuardUndoesItsChangeWhenAnExceptionLeavesTheScope)
{
    std::string name = "outer";
    bool flag = false;
    int depth = 0;
    TLockable lockable;
    LeaveByException([&] {
        TScopedValue<std::string> value(name, "inner");
        TScopedFlag raised(flag);
        TScopedIncrement deeper(depth);
        TScopedLock lock(lockable);
        EXPECT_EQ(name, "inner");
        EXPECT_TRUE(flag);
        EXPECT_EQ(depth, 1);
        EXPECT_EQ(lockable.Depth, 1);
        throw std::runtime_error("leave");
    });
    EXPECT_EQ(name, "outer");
    EXPECT_FALSE(flag);
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(lockable.Depth, 0);
}

TEST(Scoped, NestedScopesRestoreTheOuterState)
{
    bool flag = false;
    int depth = 0;
    {
        TScopedFlag outer(flag);
        TScopedIncrement outerDepth(depth);
        {
            TScopedFlag inner(flag);
            TScopedIncrement innerDepth(depth);
            EXPECT_EQ(depth, 2);
        }
        // The inner scope must not lower the flag the outer one still holds up.
        EXPECT_TRUE(flag);
        EXPECT_EQ(depth, 1);
    }
    EXPECT_FALSE(flag);
    EXPECT_EQ(depth, 0);
}
