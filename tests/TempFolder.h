// A fresh folder for the running test, removed again with all its files, and
// a file read back whole.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include <gtest/gtest.h>

class TempFolder {
public:
    TempFolder()
        : path(std::filesystem::temp_directory_path() /
               ("nereku-" + TestName() + "-" + std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The path of `name` inside the folder, as text.
    std::string File(const std::string& name) const { return (path / name).string(); }
    // Writes `bytes` as the file `name` and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path / name, std::ios::binary) << bytes;
        return File(name);
    }

    const std::filesystem::path path;

private:
    // The running test's name as one folder name: a parameterized test's
    // ("Name/0") would otherwise leave a parent folder behind.
    static std::string TestName() {
        std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        return name;
    }
};

// Every byte of a file; none when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
