#include "output/SafeFileWriteWindows.h"

#include "model/TextUtil.h"
#include "output/SafeFileWrite.h"

#include <windows.h>

#include <io.h>  // _get_osfhandle

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Symlinks followed at most before the target counts as a loop.
constexpr int kMaxLinks = 40;

// The longest file name, in UTF-16 units, a Windows file system takes.
constexpr std::size_t kMaxNameLength = 255;

// The temporary file of the write under way, for the signal handler.
volatile std::sig_atomic_t g_pending = 0;
wchar_t g_pendingPath[32768];

// The errno text for a failure the system reports. Its own text ("Access is denied.", in
// the user's language) is kept only for an error no errno value stands for.
std::string ReasonText(const std::error_code& ec)
{
    const std::error_condition condition = ec.default_error_condition();
    return condition.category() == std::generic_category() ? ErrnoText(condition.value()) : ec.message();
}

std::string WindowsReason(DWORD error)
{
    return ReasonText(std::error_code(static_cast<int>(error), std::system_category()));
}

// Follows `path` through its symlinks to the file a write replaces: `path` itself when it
// is no link, else the end of its links, which need not exist yet (a dangling link).
bool FollowLinks(fs::path& path, std::string& reason)
{
    for (int links = 0;; ++links) {
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
        if (links == kMaxLinks) {
            reason = ErrnoText(ELOOP);
            return false;
        }
        const fs::path link = fs::read_symlink(path, ec);
        if (ec) {
            reason = ReasonText(ec);
            return false;
        }
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
}

bool WriteAll(HANDLE file, WritePieces& bytes)
{
    for (std::size_t size = bytes.Next(); size > 0; size = bytes.Next()) {
        std::size_t done = 0;
        while (done < size) {
            DWORD written = 0;
            if (!WriteFile(file, bytes.Data() + done, static_cast<DWORD>(size - done), &written, nullptr)) {
                return false;
            }
            done += written;
        }
    }
    return true;
}

// Which file `file` holds, by its volume and file index; none for a device or pipe.
FileIdentity IdentityOf(HANDLE file)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info)) {
        return {};
    }
    return {info.dwVolumeSerialNumber, std::uint64_t{info.nFileIndexHigh} << 32 | info.nFileIndexLow, true};
}

// Which file `path` names itself, a link not followed: what a move over it would replace.
FileIdentity IdentityAt(const std::wstring& path)
{
    const HANDLE file =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    const FileIdentity identity = IdentityOf(file);
    CloseHandle(file);
    return identity;
}

// Writes into a device (NUL, CON, COM1), pipe or file that `file` holds as it stands, and
// flushes a file to the disk. The file to keep is not written into.
WriteOutcome WriteInto(HANDLE file, WritePieces& bytes, const SourceFileIdentity& keep, std::string& reason)
{
    if (IdentityOf(file).Is(keep.file)) {
        return WriteOutcome::WouldHitKept;
    }
    const bool ok = WriteAll(file, bytes) && (GetFileType(file) != FILE_TYPE_DISK || FlushFileBuffers(file));
    if (!ok) {
        reason = WindowsReason(GetLastError());
        return WriteOutcome::Failed;
    }
    return WriteOutcome::Written;
}

// Writes into a device or pipe by its name.
WriteOutcome WriteIntoDevice(const std::wstring& target, WritePieces& bytes, const SourceFileIdentity& keep,
                             std::string& reason)
{
    const HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        reason = WindowsReason(GetLastError());
        return WriteOutcome::Failed;
    }
    const WriteOutcome outcome = WriteInto(file, bytes, keep, reason);
    CloseHandle(file);
    return outcome;
}

// Whether a call failed because another program holds the file open without sharing it:
// a virus scanner, an indexer, an emulator that has the executable loaded, or another
// write of the same file finishing.
bool InUse(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// Moves `from` over `to` with write-through. Where another program holds `to` open for a
// moment, as Windows programs that look at new files do, the move is tried again, for
// about two seconds in all; a move refused for want of access is tried again too, as
// Windows refuses a file it is still replacing for another writer that way. Any other
// failure ends it at once. A refusal still standing at the end is told as the file being
// in use where that is why (GetLastError).
bool MoveOver(const std::wstring& from, const std::wstring& to)
{
    constexpr DWORD kFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    for (DWORD wait = 5, waited = 0;; waited += wait, wait = wait < 200 ? 2 * wait : wait) {
        if (MoveFileExW(from.c_str(), to.c_str(), kFlags)) {
            return true;
        }
        const DWORD error = GetLastError();
        if ((!InUse(error) && error != ERROR_ACCESS_DENIED) || waited >= 2000) {
            // Refused for want of access: in use, when the file cannot be opened to be
            // deleted for that reason either.
            if (error == ERROR_ACCESS_DENIED) {
                const HANDLE probe =
                    CreateFileW(to.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
                const DWORD why = probe == INVALID_HANDLE_VALUE ? GetLastError() : error;
                if (probe != INVALID_HANDLE_VALUE) {
                    CloseHandle(probe);
                }
                SetLastError(InUse(why) ? why : error);
            }
            return false;
        }
        Sleep(wait);
    }
}

// Writes the bytes to a temporary file beside `target`, flushed to the disk, and moves it
// over `target` with write-through. `attributes` are the earlier file's, kept where they
// bear on the file (hidden, system, archive). Just before the move, what `target` holds
// then is compared with the file to keep.
WriteOutcome ReplaceFile(const fs::path& target, DWORD attributes, WritePieces& bytes,
                         const SourceFileIdentity& keep, std::string& reason)
{
    std::wstring temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < kMaxNameTries && file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = (target.parent_path() / TemporaryName(GetCurrentProcessId())).wstring();
        if (temporary.size() >= sizeof g_pendingPath / sizeof g_pendingPath[0]) {
            reason = ErrnoText(ENAMETOOLONG);
            return WriteOutcome::Failed;
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
        return WriteOutcome::Failed;
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
    const bool kept = ok && IdentityAt(target.wstring()).Is(keep.file);
    if (ok && (kept || !MoveOver(temporary, target.wstring()))) {
        ok = false;
        error = GetLastError();
    }
    if (!ok) {
        DeleteFileW(temporary.c_str());
    }
    g_pending = 0;
    if (kept) {
        return WriteOutcome::WouldHitKept;
    }
    if (!ok) {
        reason = InUse(error) ? kFileInUseText : WindowsReason(error);
        return WriteOutcome::Failed;
    }
    return WriteOutcome::Written;
}

}  // namespace

int DescriptorNamed(const std::string& path)
{
    return path == "-" ? 1 : -1;
}

WriteOutcome WriteIntoDescriptor(int fd, WritePieces& bytes, const SourceFileIdentity& keep,
                                 std::string& reason)
{
    const HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (file == INVALID_HANDLE_VALUE) {
        reason = ErrnoText(EBADF);
        return WriteOutcome::Failed;
    }
    return WriteInto(file, bytes, keep, reason);
}

WriteOutcome WriteToPath(const std::string& path, WritePieces& bytes, const SourceFileIdentity& keep,
                         std::string& reason)
{
    fs::path target = fs::u8path(path);
    if (!FollowLinks(target, reason)) {
        return WriteOutcome::Failed;
    }
    const fs::path name = target.filename();
    if (name.empty() || name == "." || name == "..") {
        reason = ErrnoText(EISDIR);
        return WriteOutcome::Failed;
    }
    // A name longer than any Windows file system takes (NTFS, FAT and exFAT alike): said
    // so, where the system would say only that the path is not found.
    if (name.wstring().size() > kMaxNameLength) {
        reason = ErrnoText(ENAMETOOLONG);
        return WriteOutcome::Failed;
    }
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
            return WriteIntoDevice(wide, bytes, keep, reason);
        }
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            reason = ErrnoText(EISDIR);
            return WriteOutcome::Failed;
        }
        // A file the user made read-only is not theirs to replace, as no program may
        // write it.
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
            reason = ErrnoText(EACCES);
            return WriteOutcome::Failed;
        }
    }
    return ReplaceFile(target, attributes, bytes, keep, reason);
}

void RemoveTemporaryFileNow()
{
    if (g_pending != 0) {
        DeleteFileW(g_pendingPath);
    }
}
