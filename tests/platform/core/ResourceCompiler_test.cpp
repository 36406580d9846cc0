// The build-time resource compiler: broken pixel art must stop the build with a message that
// points at the place, never slip into the program as a wrong picture.

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

struct ToolRun {
    int status;
    std::string output;
};

class ResourceCompiler : public testing::Test {
protected:
    void SetUp() override
    {
        m_tool = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "platform" /
                 "pravix_resource_compiler";
        if (!std::filesystem::exists(m_tool))
            GTEST_SKIP() << "no resource compiler at " << m_tool;
        std::filesystem::create_directories(m_temp.Path("bitmaps"));
        std::filesystem::create_directories(m_temp.Path("forms"));
    }

    std::string Write(const std::string& name, const std::string& content)
    {
        std::ofstream(m_temp.Path(name), std::ios::binary) << content;
        return m_temp.Path(name);
    }

    ToolRun Compile(const std::vector<std::string>& files)
    {
        std::string command = m_tool.string() + " " + m_temp.Path("out.cpp");
        for (const std::string& file : files)
            command += " '" + file + "'";
        command += " 2>&1";
        ToolRun run{-1, {}};
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            char buffer[256];
            while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
                run.output.append(buffer, n);
            run.status = ::pclose(pipe);
        }
        return run;
    }

    std::string Generated() const
    {
        std::ifstream in(m_temp.Path("out.cpp"));
        return {std::istreambuf_iterator<char>(in), {}};
    }

    TempDir m_temp;
    std::filesystem::path m_tool;
};

}  // namespace

TEST_F(ResourceCompiler, BrokenInputFailsWithTheFileAndPlace)
{
    struct Case {
        std::vector<std::pair<std::string, std::string>> files;
        std::string message;
    };
    const Case cases[] = {
        {{{"bitmaps/RAGGED.txt", "......\r\n.....\r\n"}}, "RAGGED.txt:2: row is 5 pixels wide, the first row 6"},
        {{{"bitmaps/BADCHAR.txt", "..\n.Z\n"}}, "BADCHAR.txt:2:2: \"Z\" is not a palette character"},
        {{{"bitmaps/EMPTY.txt", "\n\n"}}, "EMPTY.txt: no pixel rows"},
        {{{"bitmaps/GAP.txt", "..\n\n..\n"}}, "GAP.txt:2: row is 0 pixels wide"},
        {{{"bitmaps/Twice.txt", ".\n"}, {"forms/TWICE.dfm.txt", "object"}}, "resource name TWICE is taken by"},
        {{{"forms/bad-name.txt", "x"}}, "resource names use letters, digits and \"_\" only"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> paths;
        for (const auto& [name, content] : c.files)
            paths.push_back(Write(name, content));
        const ToolRun run = Compile(paths);
        EXPECT_NE(run.status, 0) << c.message;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
    }
}

TEST_F(ResourceCompiler, OtherFilesAreStoredByteForByteUnderTheirUpperCaseStem)
{
    // A .txt outside "bitmaps" is text, not pixel art.
    const ToolRun run =
        Compile({Write("forms/Main.dfm.txt", std::string("A\0\xFF", 3)), Write("bitmaps/dot.txt", "W\n")});
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string source = Generated();
    EXPECT_NE(source.find("65,0,255,"), std::string::npos);
    EXPECT_NE(source.find("{\"DOT\", kData0, 122}"), std::string::npos);  // 118 + one padded row
    EXPECT_NE(source.find("{\"MAIN\", kData1, 3}"), std::string::npos);
}
