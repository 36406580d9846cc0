#include "platform/core/Registry.h"
#include "platform/core/Streams.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>

namespace {

// Sets an environment variable for the life of the guard.
class EnvironmentGuard {
public:
    EnvironmentGuard(const char* name, const std::optional<std::string>& value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        Set(value);
    }
    ~EnvironmentGuard() { Set(m_old); }
    void Set(const std::optional<std::string>& value)
    {
        if (value)
            ::setenv(m_name, value->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

class Registry : public testing::Test {
protected:
    TempDir m_temp;
    EnvironmentGuard m_folder{"PRAVIX_REGISTRY_DIR", m_temp.Folder()};
};

const char kOpc[] = "SOFTWARE\\Pravix\\OPC";

}  // namespace

TEST_F(Registry, ValuesPersistFromOneKeyInstanceToTheNext)
{
    {
        auto key = OpenKey(HKEY_CURRENT_USER, kOpc, true);
        ASSERT_TRUE(key);
        EXPECT_TRUE(key->WriteString("ComputerName", "Local"));
        EXPECT_TRUE(key->WriteString("UpdateRate", "500"));
        EXPECT_TRUE(key->WriteString("updaterate", "250"));  // same value, other case
    }
    EXPECT_TRUE(std::filesystem::exists(m_temp.Path("user.ini")));

    // Another instance, path written with "/" and in other case, sees the values.
    auto key = OpenKey(HKEY_CURRENT_USER, "/software/pravix/opc/", false);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->Path(), "software\\pravix\\opc");
    EXPECT_EQ(key->ReadString("COMPUTERNAME"), "Local");
    EXPECT_EQ(key->ReadString("UpdateRate"), "250");
    EXPECT_EQ(key->ReadString("GroupName"), "");
    EXPECT_FALSE(key->ValueExists("GroupName"));
    EXPECT_TRUE(key->ValueExists("ComputerName"));
}

TEST_F(Registry, MissingKeysOpenOnlyWhenCreatedAndParentsExist)
{
    EXPECT_FALSE(OpenKey(HKEY_CURRENT_USER, kOpc, false));
    EXPECT_FALSE(std::filesystem::exists(m_temp.Path("user.ini")));  // looking creates nothing
    ASSERT_TRUE(OpenKey(HKEY_CURRENT_USER, kOpc, true));
    EXPECT_TRUE(OpenKey(HKEY_CURRENT_USER, kOpc, false));
    EXPECT_TRUE(OpenKey(HKEY_CURRENT_USER, "SOFTWARE\\Pravix", false));
    EXPECT_FALSE(OpenKey(HKEY_CURRENT_USER, "SOFTWARE\\Prav", false));
    EXPECT_FALSE(OpenKey(HKEY_CURRENT_USER, "SOFTWARE\\Pravix\\OPC\\More", false));
    EXPECT_FALSE(OpenKey(HKEY_LOCAL_MACHINE, kOpc, false));  // each root is its own
}

TEST_F(Registry, RootsKeepTheirOwnFilesAndDefaultValuesHaveTheEmptyName)
{
    OpenKey(HKEY_CLASSES_ROOT, ".htm", true)->WriteString("", "htmlfile");
    OpenKey(HKEY_CLASSES_ROOT, "htmlfile\\shell\\open\\command", true)->WriteString("", "\"browser\" \"%1\"");
    OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Pravix\\Themes", true)->WriteString("User Defined Theme Path", "/m");
    OpenKey(HKEY_CURRENT_USER, "SOFTWARE\\Pravix\\Themes", true)->WriteString("User Defined Theme Path", "/u");

    const std::string type = OpenKey(HKEY_CLASSES_ROOT, ".htm", false)->ReadString("");
    EXPECT_EQ(type, "htmlfile");
    EXPECT_EQ(OpenKey(HKEY_CLASSES_ROOT, type + "\\shell\\open\\command", false)->ReadString(""), "\"browser\" \"%1\"");
    EXPECT_EQ(OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Pravix\\Themes", false)->ReadString("User Defined Theme Path"),
              "/m");
    EXPECT_EQ(OpenKey(HKEY_CURRENT_USER, "SOFTWARE\\Pravix\\Themes", false)->ReadString("User Defined Theme Path"),
              "/u");
    for (const char* file : {"classes.ini", "machine.ini", "user.ini"})
        EXPECT_TRUE(std::filesystem::exists(m_temp.Path(file))) << file;
}

TEST_F(Registry, AnyTextSurvivesTheFile)
{
    const std::string texts[] = {
        "C:\\Themes\\", "say \"hi\"", "a=b; c # d", "  padded  ", "line 1\r\nline 2", "caf\xE9 \x80", "[not a key]", "",
    };
    auto key = OpenKey(HKEY_CURRENT_USER, kOpc, true);
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        EXPECT_TRUE(key->WriteString(texts[i] + "#" + std::to_string(i), texts[i]));
    }
    for (std::size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(key->ReadString(texts[i] + "#" + std::to_string(i)), texts[i]) << i;
    // The file is UTF-8: e-acute and the euro sign in their UTF-8 form.
    EXPECT_NE(ReadFileBytes(m_temp.Path("user.ini")).find("caf\xC3\xA9 \xE2\x82\xAC"), std::string::npos);
}

TEST_F(Registry, HandWrittenFilesAreRead)
{
    std::ofstream(m_temp.Path("machine.ini"), std::ios::binary)
        << "\xEF\xBB\xBF; written by the installer\r\n"
           "[SOFTWARE/Pravix/Themes]\r\n"
           "Pravix Defined Theme Path = /usr/share/pravix/themes/\r\n"
           "\"User Defined Theme Path\"=\"~/themes\"\r\n"
           "a line without meaning\r\n"
           "@=default\r\n"
           "\"broken=\"value\r\n";
    auto key = OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Pravix\\Themes", false);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadString("Pravix Defined Theme Path"), "/usr/share/pravix/themes/");
    EXPECT_EQ(key->ReadString("User Defined Theme Path"), "~/themes");
    EXPECT_EQ(key->ReadString(""), "default");
    // Writing keeps what was there.
    EXPECT_TRUE(key->WriteString("Extra", "1"));
    EXPECT_EQ(key->ReadString("Pravix Defined Theme Path"), "/usr/share/pravix/themes/");
}

TEST_F(Registry, TheEnvironmentChoosesTheFolder)
{
    OpenKey(HKEY_CURRENT_USER, kOpc, true)->WriteString("ServerName", "Sim.1");
    TempDir other;
    {
        EnvironmentGuard elsewhere("PRAVIX_REGISTRY_DIR", other.Folder());
        EXPECT_FALSE(OpenKey(HKEY_CURRENT_USER, kOpc, false));
        EXPECT_EQ(RegistryFileName(HKEY_LOCAL_MACHINE), other.Folder() + "/machine.ini");
    }
    EXPECT_EQ(OpenKey(HKEY_CURRENT_USER, kOpc, false)->ReadString("ServerName"), "Sim.1");

    // Without the variable: the user's configuration folder, the system's for the machine
    // root, and no classes root at all.
    EnvironmentGuard unset("PRAVIX_REGISTRY_DIR", std::nullopt);
    EnvironmentGuard config("XDG_CONFIG_HOME", other.Path("config"));
    EXPECT_EQ(RegistryFileName(HKEY_LOCAL_MACHINE), "/etc/xdg/Pravix/machine.ini");
    EXPECT_TRUE(OpenKey(HKEY_CURRENT_USER, kOpc, true)->WriteString("ServerName", "Other"));
    EXPECT_TRUE(std::filesystem::exists(other.Path("config/Pravix/user.ini")));
    EXPECT_EQ(RegistryFileName(HKEY_CLASSES_ROOT), "");
    EXPECT_FALSE(OpenKey(HKEY_CLASSES_ROOT, ".htm", true));
    {
        EnvironmentGuard noConfig("XDG_CONFIG_HOME", std::nullopt);
        EnvironmentGuard home("HOME", "/home/sailor");
        EXPECT_EQ(RegistryFileName(HKEY_CURRENT_USER), "/home/sailor/.config/Pravix/user.ini");
    }
}

TEST_F(Registry, AFileThatCannotBeWrittenFailsWithoutHarm)
{
    std::ofstream(m_temp.Path("blocker")) << "a file where a folder should be";
    EnvironmentGuard blocked("PRAVIX_REGISTRY_DIR", m_temp.Path("blocker"));
    EXPECT_FALSE(OpenKey(HKEY_CURRENT_USER, kOpc, true));
    EXPECT_FALSE(OpenKey(HKEY_CURRENT_USER, kOpc, false));
    auto root = OpenKey(HKEY_CURRENT_USER, "", false);
    ASSERT_TRUE(root);
    EXPECT_FALSE(root->WriteString("Name", "lost"));
    EXPECT_EQ(root->ReadString("Name"), "");
}
