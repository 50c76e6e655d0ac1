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
#include <system_error>

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

WriteOutcome WriteFileSafely(const std::string& path, ByteSource& source, const SourceFileIdentity& keep,
                             std::string& reason)
{
    if (path.empty()) {
        reason = ErrnoText(ENOENT);
        return WriteOutcome::Failed;
    }
    WritePieces bytes(source);
    const int descriptor = DescriptorNamed(path);
    return descriptor >= 0 ? WriteIntoDescriptor(descriptor, bytes, keep, reason)
                           : WriteToPath(path, bytes, keep, reason);
}
