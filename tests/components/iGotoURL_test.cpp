#include "components/iGotoURL.h"

#include "platform/core/Exceptions.h"
#include "platform/gui/TestHooks.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(iGotoURL, ConnectHandsTheAddressOverWhole)
{
    TestHooks::TUrlOpenerScript script;
    TiGotoURL go;
    // Blanks and shell characters stay part of the one address.
    const std::string url = "http://example.com/a b;rm -rf ~&x=$(id)";
    go.Connect(url, ssShowNormal);
    go.Connect("www.example.com", ssHide);
    EXPECT_EQ(script.Opened, (std::vector<std::string>{url, "www.example.com"}));

    script.OnOpen = [](const std::string&) { return false; };
    try {
        go.Connect("http://example.com", ssShow);
        ADD_FAILURE() << "nothing raised";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Couldn't launch default browser");
    }
}

TEST(iGotoURL, RegKeyReadsTheDefaultValue)
{
    TempDir dir;
    ::setenv("PRAVIX_REGISTRY_DIR", dir.Folder().c_str(), 1);
    ASSERT_TRUE(OpenKey(HKEY_CLASSES_ROOT, ".htm", true)->WriteString("", "htmlfile"));
    ASSERT_TRUE(OpenKey(HKEY_CLASSES_ROOT, "htmlfile\\shell", true)->WriteString("other", "x"));
    TiGotoURL go;
    std::string value = "unchanged";
    EXPECT_EQ(go.RegKey(HKEY_CLASSES_ROOT, ".htm", value), 0);
    EXPECT_EQ(value, "htmlfile");
    value = "unchanged";
    EXPECT_NE(go.RegKey(HKEY_CLASSES_ROOT, "htmlfile\\shell\\open\\command", value), 0);
    EXPECT_EQ(value, "unchanged");
    EXPECT_EQ(go.RegKey(HKEY_CLASSES_ROOT, "htmlfile\\shell", value), 0);  // no default value
    EXPECT_EQ(value, "");
    ::unsetenv("PRAVIX_REGISTRY_DIR");
}
