#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>

namespace {

class Streams : public testing::Test {
protected:
    std::string Path(const std::string& name) const { return m_temp.Path(name); }
    static void WriteRaw(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }

private:
    TempDir m_temp;
};

std::string ReadAll(TStream& stream, long long count)
{
    std::string bytes(static_cast<std::size_t>(count), '\0');
    bytes.resize(static_cast<std::size_t>(stream.Read(bytes.data(), count)));
    return bytes;
}

}  // namespace

TEST(MemoryStream, PositionSizeSeekAndReadWrite)
{
    TMemoryStream s;
    s.WriteBuffer("hello world");
    EXPECT_EQ(s.Size(), 11);
    EXPECT_EQ(s.Position(), 11);

    EXPECT_EQ(s.Seek(-5, soEnd), 6);
    EXPECT_EQ(ReadAll(s, 100), "world");  // a short read returns what there is
    EXPECT_EQ(s.Read(nullptr, 1), 0);

    s.SetPosition(0);
    s.WriteBuffer("J");
    EXPECT_EQ(s.Seek(2, soCurrent), 3);
    EXPECT_EQ(s.Bytes(), "Jello world");

    s.Seek(2, soEnd);  // writing beyond the end fills the gap with zero bytes
    s.WriteBuffer("!");
    EXPECT_EQ(s.Bytes(), std::string("Jello world\0\0!", 14));

    s.SetSize(5);
    EXPECT_EQ(s.Position(), 5);
    EXPECT_EQ(s.Bytes(), "Jello");

    EXPECT_THROW(s.Seek(-1, soBeginning), EStreamError);
    s.Clear();
    EXPECT_EQ(s.Size(), 0);
    EXPECT_EQ(s.Position(), 0);
}

TEST(MemoryStream, ExactReadPastTheEndRaises)
{
    TMemoryStream s;
    s.WriteBuffer("abc");
    s.SetPosition(1);
    char buffer[4];
    try {
        s.ReadBuffer(buffer, 4);
        FAIL() << "no exception";
    } catch (const EStreamError& e) {
        EXPECT_EQ(e.Message(), "Stream read error");
    }
}

TEST(MemoryStream, CopyFromWithZeroCountTakesTheWholeSource)
{
    TMemoryStream source;
    source.WriteBuffer("0123456789");
    TMemoryStream target;
    target.WriteBuffer(">");
    EXPECT_EQ(target.CopyFrom(source, 0), 10);
    source.SetPosition(4);
    target.CopyFrom(source, 3);
    EXPECT_EQ(target.Bytes(), ">0123456789456");
    EXPECT_THROW(target.CopyFrom(source, 10), EStreamError);  // only 3 bytes left
}

TEST_F(Streams, MemoryStreamFileRoundTripReplacesTheFile)
{
    const std::string path = Path("data.bin");
    WriteRaw(path, std::string(1000, 'x'));  // longer than what replaces it
    TMemoryStream out;
    const std::string bytes("\0\r\n\xFF tail", 8);
    out.WriteBuffer(bytes);
    out.SaveToFile(path);
    EXPECT_EQ(ReadFileBytes(path), bytes);

    TMemoryStream in;
    in.WriteBuffer("old");
    in.LoadFromFile(path);
    EXPECT_EQ(in.Bytes(), bytes);
    EXPECT_EQ(in.Position(), 0);
}

TEST_F(Streams, OpenErrorsCarryTheNameAndTheSystemReason)
{
    const std::string missing = Path("missing.dat");
    const std::function<void()> opens[] = {
        [&] { TFileStream(missing, fmOpenRead); },
        [&] { TFileStream(missing, fmOpenReadWrite); },
        [&] { ReadFileBytes(missing); },
        [&] { TMemoryStream().LoadFromFile(missing); },
    };
    for (const auto& open : opens) {
        try {
            open();
            ADD_FAILURE() << "no exception";
        } catch (const EFOpenError& e) {
            EXPECT_EQ(e.Message(), "Cannot open file \"" + missing + "\". No such file or directory");
        }
    }
    EXPECT_FALSE(std::filesystem::exists(missing));  // opening for read-write does not create

    const std::string noFolder = Path("no/such/folder.dat");
    try {
        TMemoryStream().SaveToFile(noFolder);
        ADD_FAILURE() << "no exception";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file \"" + noFolder + "\". No such file or directory");
    }
    EXPECT_THROW(TFileStream(Path("."), fmOpenRead), EFOpenError);  // a folder is no file
}

TEST_F(Streams, FileStreamCreateTruncatesAndReadWriteAppendsAtTheEnd)
{
    const std::string path = Path("log.bin");
    WriteRaw(path, "previous content");
    {
        TFileStream file(path, fmCreate);
        EXPECT_EQ(file.Size(), 0);
        file.WriteBuffer("first");
    }
    {
        TFileStream file(path, fmOpenReadWrite);
        EXPECT_EQ(file.Position(), 0);
        EXPECT_EQ(file.Seek(0, soEnd), 5);
        file.WriteBuffer(",second");
        EXPECT_EQ(file.Size(), 12);
        EXPECT_EQ(file.Position(), 12);
    }
    TFileStream file(path, fmOpenRead);
    EXPECT_EQ(ReadAll(file, 100), "first,second");
    EXPECT_THROW(file.WriteBuffer("x"), EStreamError);  // read only
    file.SetPosition(6);
    EXPECT_EQ(ReadAll(file, 3), "sec");
}

TEST(Float32, LittleEndianBytesWhateverTheHost)
{
    struct Case {
        float value;
        std::uint32_t bits;
    };
    const Case cases[] = {
        {1.0f, 0x3F800000u}, {-2.5f, 0xC0200000u}, {1e38f, 0x7E967699u}, {2e38f, 0x7F167699u}, {0.0f, 0u},
    };
    for (const Case& c : cases) {
        TMemoryStream s;
        WriteFloat32LE(s, c.value);
        const std::string expected{char(c.bits), char(c.bits >> 8), char(c.bits >> 16), char(c.bits >> 24)};
        EXPECT_EQ(s.Bytes(), expected) << c.value;
        s.SetPosition(0);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(ReadFloat32LE(s)), c.bits);
    }
    TMemoryStream shortStream;
    shortStream.WriteBuffer("abc");
    shortStream.SetPosition(0);
    EXPECT_THROW(ReadFloat32LE(shortStream), EStreamError);
}
