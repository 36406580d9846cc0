#include "platform/core/Streams.h"

#include "platform/core/Exceptions.h"
#include "platform/core/StrUtils.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void RaiseReadError() { throw EStreamError("Stream read error"); }
[[noreturn]] void RaiseWriteError() { throw EStreamError("Stream write error"); }
[[noreturn]] void RaiseSeekError() { throw EStreamError("Stream seek error"); }

long long SeekBase(TSeekOrigin origin, long long position, long long size)
{
    switch (origin) {
    case soCurrent: return position;
    case soEnd: return size;
    case soBeginning: break;
    }
    return 0;
}

}  // namespace

TStream::~TStream() = default;

void TStream::ReadBuffer(void* buffer, long long count)
{
    if (count > 0 && Read(buffer, count) != count)
        RaiseReadError();
}

void TStream::WriteBuffer(const void* buffer, long long count)
{
    if (count > 0 && Write(buffer, count) != count)
        RaiseWriteError();
}

void TStream::WriteBuffer(std::string_view bytes) { WriteBuffer(bytes.data(), static_cast<long long>(bytes.size())); }

long long TStream::CopyFrom(TStream& source, long long count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    char chunk[65536];
    long long copied = 0;
    while (copied < count) {
        const long long n = std::min<long long>(count - copied, sizeof chunk);
        source.ReadBuffer(chunk, n);
        WriteBuffer(chunk, n);
        copied += n;
    }
    return copied;
}

// ---------------------------------------------------------------------------------------

TMemoryStream::~TMemoryStream() = default;

long long TMemoryStream::Read(void* buffer, long long count)
{
    const long long available = Size() - m_position;
    if (count <= 0 || available <= 0)
        return 0;
    const long long n = std::min(count, available);
    std::memcpy(buffer, m_bytes.data() + m_position, static_cast<std::size_t>(n));
    m_position += n;
    return n;
}

long long TMemoryStream::Write(const void* buffer, long long count)
{
    if (count <= 0)
        return 0;
    if (m_position + count > Size())
        m_bytes.resize(static_cast<std::size_t>(m_position + count));
    std::memcpy(m_bytes.data() + m_position, buffer, static_cast<std::size_t>(count));
    m_position += count;
    return count;
}

long long TMemoryStream::Seek(long long offset, TSeekOrigin origin)
{
    const long long target = SeekBase(origin, m_position, Size()) + offset;
    if (target < 0)
        RaiseSeekError();
    m_position = target;
    return m_position;
}

long long TMemoryStream::Size() const { return static_cast<long long>(m_bytes.size()); }

void TMemoryStream::SetSize(long long size)
{
    m_bytes.resize(static_cast<std::size_t>(std::max(size, 0LL)));
    m_position = std::min(m_position, Size());
}

void TMemoryStream::Clear()
{
    m_bytes.clear();
    m_position = 0;
}

void TMemoryStream::LoadFromStream(TStream& source)
{
    source.SetPosition(0);
    std::string bytes(static_cast<std::size_t>(source.Size()), '\0');
    source.ReadBuffer(bytes.data(), static_cast<long long>(bytes.size()));
    m_bytes = std::move(bytes);
    m_position = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName)
{
    m_bytes = ReadFileBytes(fileName);
    m_position = 0;
}

void TMemoryStream::SaveToStream(TStream& target) const { target.WriteBuffer(m_bytes); }

void TMemoryStream::SaveToFile(const std::string& fileName) const
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

// ---------------------------------------------------------------------------------------

TFileStream::TFileStream(const std::string& fileName, TFileStreamMode mode) : m_fileName(fileName)
{
    const std::string path = Win1252ToUtf8(fileName);
    switch (mode) {
    case fmCreate:
        m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (m_fd < 0)
            RaiseFileCreateError(fileName);
        return;
    case fmOpenRead: m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC); break;
    case fmOpenReadWrite: m_fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC); break;
    }
    if (m_fd < 0)
        RaiseFileOpenError(fileName);
    struct stat info {};
    if (::fstat(m_fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(m_fd);
        errno = EISDIR;
        RaiseFileOpenError(fileName);
    }
}

TFileStream::~TFileStream() { ::close(m_fd); }

long long TFileStream::Read(void* buffer, long long count)
{
    long long total = 0;
    char* out = static_cast<char*>(buffer);
    while (total < count) {
        const ssize_t n = ::read(m_fd, out + total, static_cast<std::size_t>(count - total));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        total += n;
    }
    return total;
}

long long TFileStream::Write(const void* buffer, long long count)
{
    long long total = 0;
    const char* in = static_cast<const char*>(buffer);
    while (total < count) {
        const ssize_t n = ::write(m_fd, in + total, static_cast<std::size_t>(count - total));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        total += n;
    }
    return total;
}

long long TFileStream::Seek(long long offset, TSeekOrigin origin)
{
    const long long target = SeekBase(origin, Position(), Size()) + offset;
    if (target < 0 || ::lseek(m_fd, static_cast<off_t>(target), SEEK_SET) < 0)
        RaiseSeekError();
    return target;
}

long long TFileStream::Position() const { return static_cast<long long>(::lseek(m_fd, 0, SEEK_CUR)); }

long long TFileStream::Size() const
{
    struct stat info {};
    return ::fstat(m_fd, &info) == 0 ? static_cast<long long>(info.st_size) : 0;
}

void TFileStream::SetSize(long long size)
{
    if (size < 0 || ::ftruncate(m_fd, static_cast<off_t>(size)) != 0)
        RaiseWriteError();
    if (Position() > size)
        Seek(size, soBeginning);
}

// ---------------------------------------------------------------------------------------

std::string ReadFileBytes(const std::string& fileName)
{
    TFileStream file(fileName, fmOpenRead);
    std::string bytes;
    char chunk[65536];
    // Read to the end rather than trusting the size: the file may still be growing.
    for (long long n; (n = file.Read(chunk, sizeof chunk)) > 0;)
        bytes.append(chunk, static_cast<std::size_t>(n));
    return bytes;
}

void WriteFileBytes(const std::string& fileName, const void* data, std::size_t size)
{
    TFileStream file(fileName, fmCreate);
    file.WriteBuffer(data, static_cast<long long>(size));
}

void WriteFloat32LE(TStream& stream, float value)
{
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    const unsigned char bytes[4] = {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
                                    static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
    stream.WriteBuffer(bytes, 4);
}

float ReadFloat32LE(TStream& stream)
{
    unsigned char bytes[4];
    stream.ReadBuffer(bytes, 4);
    const std::uint32_t bits = std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
                               std::uint32_t(bytes[3]) << 24;
    return std::bit_cast<float>(bits);
}
