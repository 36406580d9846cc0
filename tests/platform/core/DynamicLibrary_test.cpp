#include "platform/core/DynamicLibrary.h"

#include <gtest/gtest.h>

#include <unistd.h>

TEST(DynamicLibrary, SearchesTheGivenFoldersThenTheSystem)
{
    // Folders without the file are passed over; the system's search finds the C math library.
    HMODULE m = LoadLibrary("libm.so.6", {"", "/nonexistent-folder", ExecutableFolder()});
    ASSERT_NE(m, nullptr);
    EXPECT_NE(GetProcAddress(m, "cos"), nullptr);
    EXPECT_EQ(GetProcAddress(m, "NoSuchFunction"), nullptr);
    FreeLibrary(m);
    EXPECT_EQ(LoadLibrary("no-such-library.dll", {ExecutableFolder()}), nullptr);
}

TEST(DynamicLibrary, ExecutableFolderHoldsTheRunningProgram)
{
    const std::string folder = ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(access((folder + "/platform_core_DynamicLibrary_test").c_str(), X_OK), 0) << folder;
}
