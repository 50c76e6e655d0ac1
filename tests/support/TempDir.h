#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Paths are UTF-8 text, as the core takes them.

// A fresh folder for one test, removed with everything in it when the test ends.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(const std::string& name) const;  // a path in the folder, in UTF-8

    // Writes `content` byte for byte and returns the file's path.
    std::string Write(const std::string& name, const std::string& content) const;

    std::vector<std::string> FileNames() const;  // sorted

private:
    std::filesystem::path path_;
};

std::string ReadFileBytes(const std::string& path);
std::vector<std::uint8_t> ReadFileData(const std::string& path);

// A file of the shipped test data (tests/data).
std::string DataFile(const std::string& name);
