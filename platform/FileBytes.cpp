#include "platform/FileBytes_p.h"

#include "platform/Exceptions.h"

#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

} // namespace

std::vector<std::uint8_t> ReadFileBytes(const std::string& fileName)
{
    File file(std::fopen(fileName.c_str(), "rb"));
    if (!file)
        RaiseFileOpenError(fileName);
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    if (std::ferror(file.get()))
        RaiseFileOpenError(fileName);
    return bytes;
}

void WriteFileBytes(const std::string& fileName, const std::vector<std::uint8_t>& bytes)
{
    File file(std::fopen(fileName.c_str(), "wb"));
    if (!file)
        RaiseFileCreateError(fileName);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    if (!written || std::fclose(file.release()) != 0)
        RaiseFileCreateError(fileName);
}
