#pragma once
// A scratch folder for one test, removed with everything in it.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zuvhost-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string File(const std::string& name) const { return path_ + "/" + name; }
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(File(name), std::ios::binary) << bytes;
        return File(name);
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

inline std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string SampleDevice(const std::string& name)
{
    const char* root = std::getenv("PRAVIX_SOURCE_DIR");
    std::string source = root ? root : std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().string();
    return source + "/resources/devices/" + name;
}
