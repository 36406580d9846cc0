#include "platform/core/CFile.h"
#include "platform/core/Streams.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

void WriteRaw(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// Every piece ReadLine gives with a buffer of bufferSize bytes, until it returns 0.
std::vector<std::string> Pieces(CFile& file, std::size_t bufferSize)
{
    std::vector<std::string> pieces;
    std::vector<char> buffer(bufferSize, 'X');
    while (std::size_t n = file.ReadLine(buffer.data(), bufferSize)) {
        EXPECT_EQ(buffer[n], '\0');
        pieces.emplace_back(buffer.data(), n);
    }
    return pieces;
}

}  // namespace

TEST(CFile, TextModeWritesEveryLineFeedAsCrLfBinaryModeWritesBytesUnchanged)
{
    TempDir temp;
    const std::string text = temp.Path("par.dev");
    const std::string binary = temp.Path("record.raw");
    {
        CFile file(text, "wt");
        ASSERT_TRUE(file.IsOpen());
        EXPECT_EQ(file.Printf("ZUV PAR\n"), 8);
        EXPECT_EQ(file.Printf("Created on:%02d/%02d/%02d", 3, 7, 26), 19);
        EXPECT_EQ(file.Write("\n\n\nim=1.5\r\nend"), 14u);
        EXPECT_TRUE(file.Flush());
        EXPECT_TRUE(file.Close());
        EXPECT_FALSE(file.IsOpen());
    }
    EXPECT_EQ(ReadFileBytes(text), "ZUV PAR\r\nCreated on:03/07/26\r\n\r\n\r\nim=1.5\r\r\nend");

    {
        CFile file(binary, "wb");
        EXPECT_EQ(file.Write(std::string("a\nb\r\n\0c", 7)), 7u);
        EXPECT_EQ(file.Printf("%s\n", "d"), 2);
    }  // closed (and flushed) by the destructor
    EXPECT_EQ(ReadFileBytes(binary), std::string("a\nb\r\n\0cd\n", 9));

    CFile file(binary, "ab");
    file.Write("e");
    file.Close();
    EXPECT_EQ(ReadFileBytes(binary).back(), 'e');
}

TEST(CFile, BoundedLineReadsCountNulBytesAndCutLongLinesIntoPieces)
{
    TempDir temp;
    const std::string path = temp.Path("replay.raw");
    const std::string longLine(200, 'L');
    WriteRaw(path, std::string("a\0b\tc\r\n", 7) + longLine + "\n" + "\n" + "last, no line end");

    CFile file(path, "r");
    ASSERT_TRUE(file.IsOpen());
    const std::vector<std::string> pieces = Pieces(file, 99);  // at most 98 bytes a read
    const std::vector<std::string> expected = {
        std::string("a\0b\tc\r\n", 7),  // CR kept, NUL counted
        longLine.substr(0, 98),        longLine.substr(98, 98), longLine.substr(196) + "\n", "\n", "last, no line end",
    };
    EXPECT_EQ(pieces, expected);
    EXPECT_TRUE(file.Eof());

    file.Rewind();
    EXPECT_FALSE(file.Eof());
    char buffer[3];
    EXPECT_EQ(file.ReadLine(buffer, sizeof buffer), 2u);
    EXPECT_EQ(std::string(buffer, 2), std::string("a\0", 2));
    EXPECT_EQ(file.ReadLine(buffer, 1), 0u);  // room for the terminator only
    EXPECT_EQ(buffer[0], '\0');
}

TEST(CFile, EndOfFileIsSetOnlyWhenAReadMeetsTheEnd)
{
    TempDir temp;
    const std::string path = temp.Path("two.txt");
    WriteRaw(path, "one\ntwo\n");
    CFile file(path, "rb");
    char buffer[100];
    EXPECT_EQ(file.ReadLine(buffer, sizeof buffer), 4u);
    EXPECT_EQ(file.ReadLine(buffer, sizeof buffer), 4u);
    EXPECT_FALSE(file.Eof());  // the last LF was read, the end not yet met
    EXPECT_EQ(file.ReadLine(buffer, sizeof buffer), 0u);
    EXPECT_TRUE(file.Eof());
}

TEST(CFile, MissingFilesDoNotOpenAndUnopenedFilesDoNothing)
{
    TempDir temp;
    CFile file;
    EXPECT_FALSE(file.Open(temp.Path("missing.dev"), "r"));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_FALSE(CFile(temp.Path("no/folder/x.eng"), "wb").IsOpen());
    EXPECT_FALSE(file.Open(temp.Folder(), "r"));
    EXPECT_EQ(errno, EISDIR);
    char buffer[8] = "junk";
    EXPECT_EQ(file.ReadLine(buffer, sizeof buffer), 0u);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(file.Write("x"), 0u);
    EXPECT_EQ(file.Printf("x"), -1);
    EXPECT_FALSE(file.Eof());
    EXPECT_TRUE(file.Close());

    WriteRaw(temp.Path("here.dev"), "");
    EXPECT_TRUE(FileExists(temp.Path("here.dev")));
    EXPECT_FALSE(FileExists(temp.Path("missing.dev")));
    EXPECT_FALSE(FileExists(temp.Folder()));
}

TEST(CFile, MovingHandsTheOpenFileOver)
{
    TempDir temp;
    CFile first(temp.Path("moved.txt"), "w");
    CFile second = std::move(first);
    EXPECT_FALSE(first.IsOpen());
    EXPECT_EQ(second.Write("kept"), 4u);
    second.Close();
    EXPECT_EQ(ReadFileBytes(temp.Path("moved.txt")), "kept");
}

TEST(SplitPath, FolderNameAndExtension)
{
    struct Case {
        const char* path;
        const char* directory;
        const char* name;
        const char* extension;
    };
    const Case cases[] = {
        {"/home/sea/zuv-12.dev", "/home/sea/", "zuv-12", ".dev"},
        {"C:\\cal\\ZUV 7.DEV", "C:\\cal\\", "ZUV 7", ".DEV"},
        {"plain", "", "plain", ""},
        {"archive.tar.gz", "", "archive.tar", ".gz"},
        {"dir.v2/noext", "dir.v2/", "noext", ""},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        const TPathParts parts = SplitPath(c.path);
        EXPECT_EQ(parts.Directory, c.directory) << c.path;
        EXPECT_EQ(parts.Name, c.name) << c.path;
        EXPECT_EQ(parts.Extension, c.extension) << c.path;
    }
}
