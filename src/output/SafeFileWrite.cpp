#include "output/SafeFileWrite.h"

#include "model/OpenFile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string ErrnoText(int error)
{
    return std::generic_category().message(error != 0 ? error : EIO);
}

// A name beside the target that no other file is using.
fs::path TemporaryPathFor(const fs::path& target)
{
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (;;) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%012llx.tmp",
                      static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
        fs::path candidate = target;
        candidate += suffix;
        std::error_code ec;
        if (!fs::exists(candidate, ec)) {
            return candidate;
        }
    }
}

bool WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& reason)
{
    errno = 0;
    std::FILE* file = OpenFile(path, OpenMode::Write);
    if (file == nullptr) {
        reason = ErrnoText(errno);
        return false;
    }
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                         std::fflush(file) == 0;
    const int writeError = errno;
    errno = 0;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        reason = ErrnoText(!written ? writeError : errno);
        return false;
    }
    return true;
}

}  // namespace

bool FileExists(const std::string& path)
{
    std::error_code ec;
    const fs::file_status status = fs::status(fs::u8path(path), ec);
    return fs::exists(status) && !fs::is_directory(status);
}

bool WriteFileSafely(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& reason)
{
    const fs::path target = fs::u8path(path);
    if (target.filename().empty()) {
        reason = ErrnoText(path.empty() ? ENOENT : EISDIR);
        return false;
    }
    const fs::path temporary = TemporaryPathFor(target);
    if (!WriteAll(temporary.u8string(), bytes, reason)) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    std::error_code ec;
    fs::rename(temporary, target, ec);
    if (ec) {
        reason = ec.message();
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}
