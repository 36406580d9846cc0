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

// Sends its held-back change notice when the outermost update ends, and that notice may fail.
struct TUpdatable {
    int Depth = 0;
    int Notices = 0;
    bool NoticeFails = false;
    void BeginUpdate() { ++Depth; }
    void EndUpdate()
    {
        if (--Depth > 0)
            return;
        ++Notices;
        if (NoticeFails)
            throw std::logic_error("notice");
    }
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
    TUpdatable updatable;
    int exits = 0;
    LeaveByException([&] {
        TScopedValue<std::string> value(name, "inner");
        TScopedFlag raised(flag);
        TScopedIncrement deeper(depth);
        TScopedLock lock(lockable);
        TScopedUpdate update(updatable);
        TScopeExit exit([&] { ++exits; });
        EXPECT_EQ(name, "inner");
        EXPECT_TRUE(flag);
        EXPECT_EQ(depth, 1);
        EXPECT_EQ(lockable.Depth, 1);
        EXPECT_EQ(updatable.Depth, 1);
        throw std::runtime_error("leave");
    });
    EXPECT_EQ(name, "outer");
    EXPECT_FALSE(flag);
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(lockable.Depth, 0);
    EXPECT_EQ(updatable.Depth, 0);
    EXPECT_EQ(updatable.Notices, 1);
    EXPECT_EQ(exits, 1);
}

// An undo that fails reaches the caller after a normal end; while an error is already leaving
// the scope, that first error goes on and the program is not ended by a second one.
TEST(Scoped, AFailingEndOfUpdateReachesTheCallerUnlessAnErrorIsLeavingTheScope)
{
    TUpdatable updatable;
    updatable.NoticeFails = true;
    EXPECT_THROW({ TScopedUpdate update(updatable); }, std::logic_error);
    EXPECT_EQ(updatable.Depth, 0);

    EXPECT_THROW(
        {
            TScopedUpdate update(updatable);
            throw std::runtime_error("first");
        },
        std::runtime_error);
    EXPECT_EQ(updatable.Depth, 0);
    EXPECT_EQ(updatable.Notices, 2);

    // Nested updates send one notice, at the end of the outermost.
    updatable.NoticeFails = false;
    {
        TScopedUpdate outer(updatable);
        TScopedUpdate inner(updatable);
    }
    EXPECT_EQ(updatable.Notices, 3);
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
