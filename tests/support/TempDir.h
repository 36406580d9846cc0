#pragma once
// A fresh folder for one test, removed with everything in it when the test ends.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

class TempDir {
public:
    TempDir()
    {
        static int count = 0;
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        m_folder = std::filesystem::temp_directory_path() /
                   ("pravix_" + std::string(test->test_suite_name()) + "_" + test->name() + "_" +
                    std::to_string(::getpid()) + "_" + std::to_string(++count));
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() { std::filesystem::remove_all(m_folder); }

    std::string Folder() const { return m_folder.string(); }
    std::string Path(const std::string& name) const { return (m_folder / name).string(); }
    // Writes the bytes to a new file in the folder and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }

private:
    std::filesystem::path m_folder;
};
