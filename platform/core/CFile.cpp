#include "platform/core/CFile.h"

#include "platform/core/StrUtils.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <utility>

#include <sys/stat.h>

CFile::CFile(CFile&& other) noexcept : m_file(std::exchange(other.m_file, nullptr)), m_textMode(other.m_textMode) {}

CFile& CFile::operator=(CFile&& other) noexcept
{
    if (this != &other) {
        Close();
        m_file = std::exchange(other.m_file, nullptr);
        m_textMode = other.m_textMode;
    }
    return *this;
}

CFile::~CFile() { Close(); }

bool CFile::Open(const std::string& fileName, const char* mode)
{
    Close();
    // stdio itself never translates on this system; "t" is ours, so it is taken out of the
    // mode handed on.
    std::string stdioMode;
    for (const char* c = mode; *c; ++c)
        if (*c != 't')
            stdioMode.push_back(*c);
    m_textMode = std::strchr(mode, 't') != nullptr;
    m_file = std::fopen(Win1252ToUtf8(fileName).c_str(), stdioMode.c_str());
    // stdio opens a folder for reading, and every read then fails without reaching an end.
    struct stat info {};
    if (m_file && ::fstat(::fileno(m_file), &info) == 0 && S_ISDIR(info.st_mode)) {
        Close();
        errno = EISDIR;
    }
    return m_file != nullptr;
}

bool CFile::Close()
{
    if (!m_file)
        return true;
    const bool ok = std::fclose(m_file) == 0;
    m_file = nullptr;
    return ok;
}

std::size_t CFile::Write(std::string_view bytes)
{
    if (!m_file)
        return 0;
    if (!m_textMode)
        return std::fwrite(bytes.data(), 1, bytes.size(), m_file);
    std::size_t written = 0;
    for (;;) {
        const std::size_t lf = bytes.find('\n', written);
        const std::size_t want = (lf == std::string_view::npos ? bytes.size() : lf) - written;
        const std::size_t n = std::fwrite(bytes.data() + written, 1, want, m_file);
        written += n;
        if (n != want || lf == std::string_view::npos || std::fwrite("\r\n", 1, 2, m_file) != 2)
            return written;
        ++written;
    }
}

int CFile::Printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text(length > 0 ? std::size_t(length) : 0, '\0');
    if (length > 0)
        std::vsnprintf(text.data(), text.size() + 1, format, args);
    va_end(args);
    if (length < 0 || Write(text) != text.size())
        return -1;
    return length;
}

std::size_t CFile::ReadLine(char* buffer, std::size_t bufferSize)
{
    if (bufferSize == 0)
        return 0;
    std::size_t count = 0;
    if (m_file) {
        while (count + 1 < bufferSize) {
            const int c = std::getc(m_file);
            if (c == EOF)
                break;
            buffer[count++] = static_cast<char>(c);
            if (c == '\n')
                break;
        }
    }
    buffer[count] = '\0';
    return count;
}

bool CFile::Eof() const { return m_file && std::feof(m_file) != 0; }

void CFile::Rewind()
{
    if (m_file)
        std::rewind(m_file);
}

bool CFile::Flush() { return m_file && std::fflush(m_file) == 0; }

bool FileExists(const std::string& fileName)
{
    struct stat info {};
    return ::stat(Win1252ToUtf8(fileName).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

TPathParts SplitPath(const std::string& path)
{
    const std::size_t nameStart = path.find_last_of("/\\") + 1;  // npos + 1 == 0
    const std::size_t dot = path.find_last_of('.');
    const std::size_t extStart = (dot == std::string::npos || dot < nameStart) ? path.size() : dot;
    return {path.substr(0, nameStart), path.substr(nameStart, extStart - nameStart), path.substr(extStart)};
}
