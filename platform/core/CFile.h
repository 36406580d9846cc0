#pragma once
// The host program's C-style files: a C stdio stream that closes itself.
//
// Open modes are those of fopen ("r", "w", "a", "r+", ...). Reading never translates line
// ends: a CR before an LF stays in the line. A "t" in the mode opens the file for text-mode
// writing, where every LF written becomes CR LF; without it bytes are written unchanged
// ("b" is accepted and changes nothing). File names are 8-bit (Windows-1252) text, converted
// to the file system's UTF-8 when opened.

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

class CFile {
public:
    CFile() = default;
    CFile(const std::string& fileName, const char* mode) { Open(fileName, mode); }
    CFile(CFile&& other) noexcept;
    CFile& operator=(CFile&& other) noexcept;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    ~CFile();

    // Closes any file already open first. False (errno set) when the file does not open or is
    // a folder.
    bool Open(const std::string& fileName, const char* mode);
    bool IsOpen() const { return m_file != nullptr; }
    // Flushes and closes; false when buffered data could not be written. Nothing when not open.
    bool Close();

    // Writes the bytes (text mode: LF as CR LF). Returns how many of the given bytes were
    // written; fewer means a write error.
    std::size_t Write(std::string_view bytes);
    // fprintf, then Write. Returns the length of the formatted text, or -1 on a write error.
    int Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // fgets made NUL-safe: reads at most bufferSize - 1 bytes, stopping after an LF, stores a
    // terminating NUL and returns the number of bytes read (0 at the end of the file or on a
    // read error). Embedded NUL bytes are counted like any other byte.
    std::size_t ReadLine(char* buffer, std::size_t bufferSize);

    bool Eof() const;  // a read has met the end of the file
    void Rewind();     // back to the start; clears the end-of-file and error indicators
    bool Flush();

private:
    std::FILE* m_file = nullptr;
    bool m_textMode = false;
};

bool FileExists(const std::string& fileName);  // an existing file that is not a directory

// A path cut like the C run-time's path splitter: the folder (with its trailing separator),
// the bare name and the extension (from the last "." of the name, dot included; "" when none).
// Both "/" and "\" separate folders.
struct TPathParts {
    std::string Directory;
    std::string Name;
    std::string Extension;
};
TPathParts SplitPath(const std::string& path);
