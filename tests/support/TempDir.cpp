#include "TempDir.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::random_device seed;
    for (;;) {
        path_ = fs::temp_directory_path() / ("quillet-test-" + std::to_string(seed()));
        if (fs::create_directory(path_)) {
            break;
        }
    }
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string TempDir::operator/(const std::string& name) const
{
    return (path_ / fs::u8path(name)).u8string();
}

std::string TempDir::Write(const std::string& name, const std::string& content) const
{
    const std::string path = *this / name;
    std::ofstream(fs::u8path(path), std::ios::binary) << content;
    return path;
}

std::vector<std::string> TempDir::FileNames() const
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) {
        names.push_back(entry.path().filename().u8string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(fs::u8path(path), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<std::uint8_t> ReadFileData(const std::string& path)
{
    const std::string bytes = ReadFileBytes(path);
    return {bytes.begin(), bytes.end()};
}

std::string DataFile(const std::string& name)
{
    return (fs::u8path(QUILLET_TEST_DATA) / fs::u8path(name)).u8string();
}
