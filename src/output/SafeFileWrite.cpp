#include "output/SafeFileWrite.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// Symlinks followed at most before the target counts as a loop, as the system counts.
constexpr int kMaxLinkDepth = 40;

// Tries at finding a temporary name nobody uses before giving up.
constexpr int kMaxNameTries = 100;

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

// Follows `path` through its symlinks to the file a write replaces: `path` itself when it
// is no link, else the end of its links, which need not exist yet (a dangling link).
bool FollowLinks(fs::path& path, std::string& reason)
{
    for (int depth = 0; depth <= kMaxLinkDepth; ++depth) {
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(path, ec);
        if (status.type() == fs::file_type::not_found) {
            return true;
        }
        if (ec) {
            reason = ReasonText(ec);
            return false;
        }
        if (!fs::is_symlink(status)) {
            return true;
        }
        const fs::path link = fs::read_symlink(path, ec);
        if (ec) {
            reason = ReasonText(ec);
            return false;
        }
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    reason = ErrnoText(ELOOP);
    return false;
}

// A last path component that names a folder, never a file: "dir/", ".", "..".
bool IsFolderName(const fs::path& name)
{
    return name.empty() || name == "." || name == "..";
}

// The target after its links, or false with the reason when it cannot be written as a file.
bool ResolveTarget(const std::string& path, fs::path& target, std::string& reason)
{
    if (path.empty()) {
        reason = ErrnoText(ENOENT);
        return false;
    }
    target = fs::u8path(path);
    if (!FollowLinks(target, reason)) {
        return false;
    }
    if (IsFolderName(target.filename())) {
        reason = ErrnoText(EISDIR);
        return false;
    }
    return true;
}

// A fresh name for the temporary file: eight characters, so that it fits wherever the
// target's own name fits, starting with a dot so that it stays out of folder listings.
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

// The bytes of a file as they are written: the source, and a buffer for one piece of it,
// allocated before any file is touched, so that running out of memory leaves none behind.
struct Pieces {
    static constexpr std::size_t kSize = 1 << 16;

    explicit Pieces(ByteSource& bytes) : source(bytes), buffer(new std::uint8_t[kSize]) {}

    // The next piece: its bytes at buffer.get(), and how many; 0 at the end.
    std::size_t Next() { return source.Next(buffer.get(), kSize); }

    ByteSource& source;
    std::unique_ptr<std::uint8_t[]> buffer;
};

}  // namespace

bool FileExists(const std::string& path)
{
    std::error_code ec;
    const fs::file_status status = fs::status(fs::u8path(path), ec);
    return fs::exists(status) && !fs::is_directory(status);
}

bool NamesFolder(const std::string& path)
{
    const fs::path name = fs::u8path(path);
    std::error_code ec;
    return IsFolderName(name.filename()) || fs::is_directory(name, ec);
}

#ifndef _WIN32

namespace {

// The temporary file of the write under way, for the signal handler: the folder it lies
// in, open, and its name. Set only while the signals are blocked.
volatile std::sig_atomic_t g_pendingFolder = -1;
char g_pendingName[16];

// Blocks SIGINT, SIGTERM and SIGHUP for its lifetime, so that the handler never removes
// a name that is not yet known to be ours.
class SignalsBlocked {
public:
    SignalsBlocked()
    {
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGINT);
        sigaddset(&set, SIGTERM);
        sigaddset(&set, SIGHUP);
        pthread_sigmask(SIG_BLOCK, &set, &old_);
    }
    ~SignalsBlocked() { pthread_sigmask(SIG_SETMASK, &old_, nullptr); }
    SignalsBlocked(const SignalsBlocked&) = delete;
    SignalsBlocked& operator=(const SignalsBlocked&) = delete;

private:
    sigset_t old_;
};

// A file descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return fd_; }

private:
    int fd_;
};

bool WriteAll(int fd, Pieces& bytes)
{
    for (std::size_t size = bytes.Next(); size > 0; size = bytes.Next()) {
        std::size_t done = 0;
        while (done < size) {
            const ssize_t written = write(fd, bytes.buffer.get() + done, size - done);
            if (written < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return false;
            }
            done += static_cast<std::size_t>(written);
        }
    }
    return true;
}

// Writes into a device, FIFO or socket as it stands, as cp does. Opened without waiting,
// so a FIFO that nobody reads is an error ("No such device or address"), not a hang.
bool WriteIntoDevice(int folder, const char* name, Pieces& bytes, std::string& reason)
{
    const Descriptor file(openat(folder, name, O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    const int flags = file.Get() < 0 ? -1 : fcntl(file.Get(), F_GETFL);
    if (flags < 0 || fcntl(file.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0 || !WriteAll(file.Get(), bytes)) {
        reason = ErrnoText(errno);
        return false;
    }
    return true;
}

// Creates a temporary file of a name nobody uses in `folder`, never through a symlink,
// and registers it for the signal handler. -1 with errno set on failure.
int CreateTemporaryFile(int folder, mode_t mode, std::string& name)
{
    const SignalsBlocked blocked;
    for (int attempt = 0; attempt < kMaxNameTries; ++attempt) {
        name = TemporaryName(static_cast<unsigned long long>(getpid()));
        const int fd =
            openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0) {
            std::memcpy(g_pendingName, name.c_str(), name.size() + 1);
            g_pendingFolder = folder;
            return fd;
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
    return -1;
}

// Writes the bytes to a temporary file beside `name` and renames it over `name`. With
// `earlier`, the file being replaced, the new one takes its owner, group and mode where
// the file system allows; it starts private, so it is never more open than the earlier.
bool ReplaceFile(int folder, const char* name, const struct stat* earlier, Pieces& bytes, std::string& reason)
{
    std::string temporary;
    const int fd = CreateTemporaryFile(folder, earlier != nullptr ? 0600 : 0666, temporary);
    if (fd < 0) {
        reason = ErrnoText(errno);
        return false;
    }
    if (earlier != nullptr) {
        // Best effort: only root may give a file away, a group only to one of its
        // members, and some file systems keep no modes; where a step fails, the file
        // stays its creator's and private.
        static_cast<void>(fchown(fd, earlier->st_uid, earlier->st_gid) == 0 ||
                          fchown(fd, static_cast<uid_t>(-1), earlier->st_gid) == 0);
        static_cast<void>(fchmod(fd, earlier->st_mode & 07777) == 0);
    }
    bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    int error = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && renameat(folder, temporary.c_str(), folder, name) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        unlinkat(folder, temporary.c_str(), 0);
    }
    g_pendingFolder = -1;
    if (!ok) {
        reason = ErrnoText(error);
        return false;
    }
    // The rename reaches the disk with the folder. The file is complete and in place
    // already, so a file system that cannot sync a folder is no reason to fail.
    (void)fsync(folder);
    return true;
}

// Writes to `target`, whose links have been followed, as what is there calls for.
bool WriteTo(const fs::path& target, Pieces& bytes, std::string& reason)
{
    const std::string name = target.filename().string();
    const fs::path folderPath = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const Descriptor folder(open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() < 0) {
        reason = ErrnoText(errno);
        return false;
    }
    struct stat earlier;
    if (fstatat(folder.Get(), name.c_str(), &earlier, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT) {
            reason = ErrnoText(errno);
            return false;
        }
        return ReplaceFile(folder.Get(), name.c_str(), nullptr, bytes, reason);
    }
    if (S_ISDIR(earlier.st_mode)) {
        reason = ErrnoText(EISDIR);
        return false;
    }
    if (S_ISREG(earlier.st_mode)) {
        return ReplaceFile(folder.Get(), name.c_str(), &earlier, bytes, reason);
    }
    if (S_ISLNK(earlier.st_mode)) {
        // A link put there since the links were followed: replaced as a whole, never
        // written through.
        return ReplaceFile(folder.Get(), name.c_str(), nullptr, bytes, reason);
    }
    return WriteIntoDevice(folder.Get(), name.c_str(), bytes, reason);
}

}  // namespace

void RemoveTemporaryFileNow()
{
    const int folder = g_pendingFolder;
    if (folder >= 0) {
        unlinkat(folder, g_pendingName, 0);
    }
}

#else  // _WIN32

namespace {

// The temporary file of the write under way, for the signal handler.
volatile std::sig_atomic_t g_pending = 0;
wchar_t g_pendingPath[32768];

std::string WindowsReason(DWORD error)
{
    return ReasonText(std::error_code(static_cast<int>(error), std::system_category()));
}

bool WriteAll(HANDLE file, Pieces& bytes)
{
    for (std::size_t size = bytes.Next(); size > 0; size = bytes.Next()) {
        std::size_t done = 0;
        while (done < size) {
            DWORD written = 0;
            if (!WriteFile(file, bytes.buffer.get() + done, static_cast<DWORD>(size - done), &written,
                           nullptr)) {
                return false;
            }
            done += written;
        }
    }
    return true;
}

// Writes into a device (NUL, CON, COM1) or pipe as it stands.
bool WriteIntoDevice(const std::wstring& target, Pieces& bytes, std::string& reason)
{
    const HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        reason = WindowsReason(GetLastError());
        return false;
    }
    const bool ok = WriteAll(file, bytes);
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!ok) {
        reason = WindowsReason(error);
    }
    return ok;
}

// Writes the bytes to a temporary file beside `target`, flushed to the disk, and moves it
// over `target` with write-through. `attributes` are the earlier file's, kept where they
// bear on the file (hidden, system, archive).
bool ReplaceFile(const fs::path& target, DWORD attributes, Pieces& bytes, std::string& reason)
{
    std::wstring temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < kMaxNameTries && file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = (target.parent_path() / TemporaryName(GetCurrentProcessId())).wstring();
        if (temporary.size() >= sizeof g_pendingPath / sizeof g_pendingPath[0]) {
            reason = ErrnoText(ENAMETOOLONG);
            return false;
        }
        // Shared for deletion, so that the signal handler can remove it while it is open.
        file = CreateFileW(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    if (file == INVALID_HANDLE_VALUE) {
        reason = WindowsReason(GetLastError());
        return false;
    }
    g_pending = 0;
    std::memcpy(g_pendingPath, temporary.c_str(), (temporary.size() + 1) * sizeof(wchar_t));
    g_pending = 1;

    bool ok = WriteAll(file, bytes) && FlushFileBuffers(file);
    DWORD error = GetLastError();
    if (!CloseHandle(file) && ok) {
        ok = false;
        error = GetLastError();
    }
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    if (ok && attributes != INVALID_FILE_ATTRIBUTES) {
        SetFileAttributesW(temporary.c_str(), attributes & kKept);
    }
    if (ok && !MoveFileExW(temporary.c_str(), target.wstring().c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = false;
        error = GetLastError();
    }
    if (!ok) {
        DeleteFileW(temporary.c_str());
    }
    g_pending = 0;
    if (!ok) {
        reason = WindowsReason(error);
    }
    return ok;
}

// Writes to `target`, whose links have been followed, as what is there calls for.
bool WriteTo(const fs::path& target, Pieces& bytes, std::string& reason)
{
    const std::wstring wide = target.wstring();
    // What is there: nothing, a folder, a file, or a device or pipe (NUL, CON, \\.\pipe\x).
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    const HANDLE probe = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        const DWORD type = GetFileType(probe);
        BY_HANDLE_FILE_INFORMATION info;
        if (type == FILE_TYPE_DISK && GetFileInformationByHandle(probe, &info)) {
            attributes = info.dwFileAttributes;
        }
        CloseHandle(probe);
        if (type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE) {
            return WriteIntoDevice(wide, bytes, reason);
        }
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            reason = ErrnoText(EISDIR);
            return false;
        }
    }
    return ReplaceFile(target, attributes, bytes, reason);
}

}  // namespace

void RemoveTemporaryFileNow()
{
    if (g_pending != 0) {
        DeleteFileW(g_pendingPath);
    }
}

#endif

bool WriteFileSafely(const std::string& path, ByteSource& source, std::string& reason)
{
    fs::path target;
    if (!ResolveTarget(path, target, reason)) {
        return false;
    }
    Pieces bytes(source);
    return WriteTo(target, bytes, reason);
}
