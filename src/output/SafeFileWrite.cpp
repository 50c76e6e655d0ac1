#include "output/SafeFileWrite.h"

#include "model/OpenFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The C library's text for an errno value ("No such file or directory"): the same words
// wherever the program runs, which std::generic_category() does not promise.
std::string ErrnoText(int error)
{
    return std::strerror(error != 0 ? error : EIO);
}

// The errno text for a failure reported as an error code. The operating system's own text
// (Windows: "Access is denied.", in the user's language) is kept only for an error no
// errno value stands for.
std::string ReasonText(const std::error_code& ec)
{
    const std::error_condition condition = ec.default_error_condition();
    return condition.category() == std::generic_category() ? ErrnoText(condition.value()) : ec.message();
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
        reason = ReasonText(ec);
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}
