#include "output/SafeFileWrite.h"

#include "model/TextUtil.h"

#ifdef _WIN32
#include "output/SafeFileWriteWindows.h"
#else
#include "output/SafeFileWritePosix.h"
#endif

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string_view>
#include <system_error>

#ifndef _WIN32

namespace {

// The number that `text` is all digits of, or -1.
int DescriptorNumber(std::string_view text)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return -1;
    }
    int number = 0;
    for (const char digit : text) {
        number = number * 10 + (digit - '0');
    }
    return number;
}

}  // namespace

#endif

int DescriptorNamed(const std::string& path)
{
    if (path == "-") {
        return 1;
    }
#ifndef _WIN32
    if (path == "/dev/stdout") {
        return 1;
    }
    if (path == "/dev/stderr") {
        return 2;
    }
    for (const std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
        if (path.compare(0, folder.size(), folder) == 0) {
            return DescriptorNumber(std::string_view(path).substr(folder.size()));
        }
    }
#endif
    return -1;
}

bool TargetExists(const std::string& path)
{
    if (DescriptorNamed(path) >= 0) {
        return true;
    }
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(std::filesystem::u8path(path), ec);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

std::string TemporaryName(unsigned long long processId)
{
    static unsigned long long calls = 0;
    unsigned long long x =
        static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        (processId << 32) ^ (++calls * 0x9E3779B97F4A7C15ull);
    // Mixed so that names taken in quick succession share nothing.
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    x ^= x >> 31;
    constexpr char kAlphabet[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string name = ".ql";
    for (int i = 0; i < 5; ++i) {
        name.push_back(kAlphabet[x % 36]);
        x /= 36;
    }
    return name;
}

bool WriteFileSafely(const std::string& path, ByteSource& source, std::string& reason)
{
    if (path.empty()) {
        reason = ErrnoText(ENOENT);
        return false;
    }
    WritePieces bytes(source);
    const int descriptor = DescriptorNamed(path);
    return descriptor >= 0 ? WriteIntoDescriptor(descriptor, bytes, reason)
                           : WriteToPath(path, bytes, reason);
}
