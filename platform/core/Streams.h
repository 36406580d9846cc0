#pragma once
// Byte streams of the class library: an abstract stream, a memory stream and a file stream,
// plus the 32-bit float encoding of the compact data files.
//
// File names are 8-bit (Windows-1252) text like every other string of the library; they are
// converted to the file system's UTF-8 when a file is opened and reported unchanged in errors.

#include <string>
#include <string_view>

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;
    virtual ~TStream();

    // Reads up to count bytes at the position; returns how many were read (0 at the end).
    virtual long long Read(void* buffer, long long count) = 0;
    // Writes count bytes at the position, growing the stream; returns how many were written.
    virtual long long Write(const void* buffer, long long count) = 0;
    // Moves the position and returns it. A position before the start raises EStreamError;
    // one beyond the end is allowed (a later write fills the gap with zero bytes).
    virtual long long Seek(long long offset, TSeekOrigin origin) = 0;
    virtual long long Position() const = 0;
    virtual long long Size() const = 0;
    // Cuts or extends the stream (new bytes are zero); a position past the new end moves to it.
    virtual void SetSize(long long size) = 0;

    void SetPosition(long long position) { Seek(position, soBeginning); }

    // Exact transfers: raise EStreamError "Stream read error" / "Stream write error" when
    // fewer than count bytes move.
    void ReadBuffer(void* buffer, long long count);
    void WriteBuffer(const void* buffer, long long count);
    void WriteBuffer(std::string_view bytes);

    // Copies count bytes from source's position; count 0 copies the whole source from its start.
    long long CopyFrom(TStream& source, long long count);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    ~TMemoryStream() override;

    long long Read(void* buffer, long long count) override;
    long long Write(const void* buffer, long long count) override;
    long long Seek(long long offset, TSeekOrigin origin) override;
    long long Position() const override { return m_position; }
    long long Size() const override;
    void SetSize(long long size) override;

    // The whole content, independent of the position.
    std::string_view Bytes() const { return m_bytes; }

    void Clear();  // size and position 0

    // Replaces the content by the whole source (from its start) or file; position 0.
    // A file that does not open raises EFOpenError.
    void LoadFromStream(TStream& source);
    void LoadFromFile(const std::string& fileName);
    // Writes the whole content; the file is created or replaced (EFCreateError when it cannot be).
    void SaveToStream(TStream& target) const;
    void SaveToFile(const std::string& fileName) const;

private:
    std::string m_bytes;
    long long m_position = 0;
};

enum TFileStreamMode {
    fmCreate,        // create, or empty an existing file; read and write
    fmOpenRead,      // existing file, read only
    fmOpenReadWrite  // existing file, read and write; a missing file is an error
};

class TFileStream : public TStream {
public:
    // Raises EFCreateError (fmCreate) or EFOpenError (the open modes) with the system's reason.
    TFileStream(const std::string& fileName, TFileStreamMode mode);
    ~TFileStream() override;

    long long Read(void* buffer, long long count) override;
    long long Write(const void* buffer, long long count) override;
    long long Seek(long long offset, TSeekOrigin origin) override;
    long long Position() const override;
    long long Size() const override;
    void SetSize(long long size) override;

    const std::string& FileName() const { return m_fileName; }

private:
    std::string m_fileName;
    int m_fd = -1;
};

// The whole content of a file; EFOpenError when it does not open.
std::string ReadFileBytes(const std::string& fileName);
// Creates or replaces the file with the bytes; raises EFCreateError when it cannot.
void WriteFileBytes(const std::string& fileName, const void* data, std::size_t size);

// IEEE-754 single precision, little-endian, whatever the host's byte order.
void WriteFloat32LE(TStream& stream, float value);
float ReadFloat32LE(TStream& stream);  // "Stream read error" when fewer than 4 bytes remain
