#include "output/SafeFileWritePosix.h"

#include "model/TextUtil.h"
#include "output/SafeFileWrite.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#ifdef __linux__
#include <sys/xattr.h>
#endif

namespace {

// Symlinks followed at most, as the kernel counts them: one more is a loop (ELOOP).
constexpr int kMaxLinks = 40;

// The temporary file of the write under way, for the signal handler: the folder it lies
// in, open, and its name. Set only while the signals are blocked.
volatile std::sig_atomic_t g_pendingFolder = -1;
char g_pendingName[16];

// Blocks the interrupting signals for its lifetime, so that the handler never removes a
// name that is not yet known to be ours.
class SignalsBlocked {
public:
    SignalsBlocked()
    {
        sigset_t set;
        sigemptyset(&set);
        for (const int signal : kInterruptingSignals) {
            sigaddset(&set, signal);
        }
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

    // Closes it now; false, with errno set, when the close reports a failed write.
    bool Close() { return close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

// The name by which the kernel reopens what descriptor `fd` holds: "/proc/self/fd/N".
struct HeldPath {
    explicit HeldPath(int fd) { std::snprintf(text, sizeof text, "/proc/self/fd/%d", fd); }
    char text[32];
};

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

FileIdentity IdentityOf(const struct stat& facts)
{
    return {static_cast<std::uint64_t>(facts.st_dev), static_cast<std::uint64_t>(facts.st_ino), true};
}

// Writes every piece to `fd`. A descriptor the program was handed may be non-blocking (a
// pipe that another program set so): then the write waits for room.
bool WriteAll(int fd, WritePieces& bytes)
{
    for (std::size_t size = bytes.Next(); size > 0; size = bytes.Next()) {
        std::size_t done = 0;
        while (done < size) {
            const ssize_t written = write(fd, bytes.Data() + done, size - done);
            if (written >= 0) {
                done += static_cast<std::size_t>(written);
            } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
                pollfd ready = {fd, POLLOUT, 0};
                if (poll(&ready, 1, -1) < 0 && errno != EINTR) {
                    return false;
                }
            } else if (errno != EINTR) {
                return false;
            }
        }
    }
    return true;
}

// Writes into what `fd` holds as it stands, and syncs it where it is a file or a block
// device, so that "saved" means on the disk; a pipe, terminal or other character device
// has nothing to sync. The file to keep is not written into.
WriteOutcome WriteInto(int fd, const struct stat& facts, WritePieces& bytes, const SourceFileIdentity& keep,
                       std::string& reason)
{
    if (S_ISDIR(facts.st_mode)) {
        reason = ErrnoText(EISDIR);
        return WriteOutcome::Failed;
    }
    if (IdentityOf(facts).Is(keep.file)) {
        return WriteOutcome::WouldHitKept;
    }
    const bool sync = S_ISREG(facts.st_mode) || S_ISBLK(facts.st_mode);
    if (!WriteAll(fd, bytes) || (sync && fsync(fd) != 0 && errno != EINVAL)) {
        reason = ErrnoText(errno);
        return WriteOutcome::Failed;
    }
    return WriteOutcome::Written;
}

// The extended attributes of a file, ACL included, each name with its value.
using Attributes = std::vector<std::pair<std::string, std::string>>;

// The access ACL, as the kernel keeps it: an extended attribute, whose mask entry is the
// file's group permission bits.
constexpr const char* kAccessAcl = "system.posix_acl_access";

// Reads the extended attributes of the earlier file `name` in `folder`, which `earlier`
// holds (opened only to look at it, which cannot be asked for them), into `attributes`. They
// are read from a descriptor opened for reading and checked to hold that file; where the
// user may not read it, through /proc. A file system without attributes has none, and one
// removed meanwhile is left out; any other failure is returned (false, `reason` set): a copy
// without them would lose the earlier file's ACL, and the group would get its mask. Read
// before the new file is made, so that running out of memory here leaves nothing behind.
bool ReadAttributes(int folder, const char* name, const struct stat& earlier, int held,
                    Attributes& attributes, std::string& reason)
{
#ifdef __linux__
    const Descriptor readable(
        openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat facts;
    const bool same = readable.Get() >= 0 && fstat(readable.Get(), &facts) == 0 &&
                      IdentityOf(facts).Is(IdentityOf(earlier));
    const HeldPath file(held);
    // Both calls, for a descriptor that can be asked or for the held file's name in /proc.
    const auto list = [&](char* to, std::size_t size) {
        return same ? flistxattr(readable.Get(), to, size) : listxattr(file.text, to, size);
    };
    const auto get = [&](const char* attribute, void* to, std::size_t size) {
        return same ? fgetxattr(readable.Get(), attribute, to, size)
                    : getxattr(file.text, attribute, to, size);
    };
    std::vector<char> names;
    ssize_t size = 0;
    do {
        size = list(nullptr, 0);
        names.resize(static_cast<std::size_t>(size > 0 ? size : 0));
        size = size > 0 ? list(names.data(), names.size()) : size;
    } while (size < 0 && errno == ERANGE);
    if (size < 0 && errno != ENOTSUP && errno != EOPNOTSUPP) {
        reason = ErrnoText(errno);
        return false;
    }
    for (std::size_t at = 0; size > 0 && at < static_cast<std::size_t>(size);) {
        std::string attribute(names.data() + at);
        at += attribute.size() + 1;
        // The kernel takes file capabilities from a file that is written to: new bytes get none.
        if (attribute == "security.capability") {
            continue;
        }
        std::string value;
        ssize_t length = 0;
        do {
            length = get(attribute.c_str(), nullptr, 0);
            value.resize(static_cast<std::size_t>(length > 0 ? length : 0));
            length = length > 0 ? get(attribute.c_str(), value.data(), value.size()) : length;
        } while (length < 0 && errno == ERANGE);
        if (length >= 0) {
            value.resize(static_cast<std::size_t>(length));
            attributes.emplace_back(std::move(attribute), std::move(value));
        } else if (errno != ENODATA && errno != ENOTSUP && errno != EOPNOTSUPP) {
            reason = ErrnoText(errno);
            return false;
        }
    }
#else
    (void)folder;
    (void)name;
    (void)earlier;
    (void)held;
    (void)attributes;
    (void)reason;
#endif
    return true;
}

// Gives the new file `fd` what the earlier file had: its owner and group where the
// process may (only root may give a file away, a group only to one of its members), its
// permission bits, then its ACL, whose mask the group bits already match, and its other
// extended attributes. An attribute the process may not set (trusted.*, most of
// security.*) is left out; an ACL that cannot be set fails the write, since a user it let
// in would be locked out. An ACL the new file took from the folder's default, which the
// earlier file did not have, is removed: the file is never more open than it was.
bool TakeOver(int fd, const struct stat& earlier, const Attributes& attributes, std::string& reason)
{
    const bool bothKept = fchown(fd, earlier.st_uid, earlier.st_gid) == 0;
    const bool groupKept = bothKept || fchown(fd, static_cast<uid_t>(-1), earlier.st_gid) == 0;
    const bool userKept = bothKept || earlier.st_uid == geteuid();
    // Set-user-ID and set-group-ID stay only with the owner and group they were set by.
    const mode_t mode = (earlier.st_mode & 01777) | (userKept ? earlier.st_mode & S_ISUID : 0) |
                        (groupKept ? earlier.st_mode & S_ISGID : 0);
    static_cast<void>(fchmod(fd, mode) == 0);  // some file systems keep no modes
#ifdef __linux__
    bool aclKept = false;
    for (const auto& [name, value] : attributes) {
        const bool acl = name == kAccessAcl;
        if (fsetxattr(fd, name.c_str(), value.data(), value.size(), 0) == 0) {
            aclKept = aclKept || acl;
        } else if (acl) {
            reason = ErrnoText(errno);
            return false;
        }
    }
    if (!aclKept) {
        static_cast<void>(fremovexattr(fd, kAccessAcl) == 0);
    }
#else
    (void)attributes;
    (void)reason;
#endif
    return true;
}

// Where the new file's bytes go: an unnamed file in the target's folder (Linux, where the
// file system has O_TMPFILE), or a file of a fresh temporary name.
struct NewFile {
    int fd = -1;
    std::string name;  // empty while the file has none
};

// Gives a file in `folder` a fresh temporary name: `take` makes the file of that name, or
// gives the file it, and fails with EEXIST where the name is taken. The name taken is
// registered for the signal handler, which is kept from running until it is. False with
// errno set on failure.
template <typename Take>
bool TakeTemporaryName(int folder, std::string& taken, const Take& take)
{
    const SignalsBlocked blocked;
    for (int attempt = 0; attempt < kMaxNameTries; ++attempt) {
        const std::string name = TemporaryName(static_cast<unsigned long long>(getpid()));
        if (take(name.c_str())) {
            taken = name;
            std::memcpy(g_pendingName, name.c_str(), name.size() + 1);
            g_pendingFolder = folder;
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}

// Names `file`, an unnamed file in `folder`, with a fresh temporary name.
bool GiveTemporaryName(int folder, NewFile& file)
{
    const HeldPath held(file.fd);
    return TakeTemporaryName(folder, file.name, [&](const char* name) {
        // Without /proc, the call that needs the right to look up any file.
        return linkat(AT_FDCWD, held.text, folder, name, AT_SYMLINK_FOLLOW) == 0 ||
               (errno == ENOENT && linkat(file.fd, "", folder, name, AT_EMPTY_PATH) == 0);
    });
}

// Creates the file the new bytes go to in `folder`: unnamed where the file system allows,
// so that whatever ends the program before its bytes are on the disk leaves nothing
// behind; else of a name nobody uses, never through a symlink. False with errno set on
// failure.
bool CreateNewFile(int folder, mode_t mode, NewFile& file)
{
#ifdef O_TMPFILE
    file.fd = openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (file.fd >= 0) {
        return true;
    }
    // Kernels and file systems without unnamed files refuse them in these ways.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        return false;
    }
#endif
    return TakeTemporaryName(folder, file.name, [&](const char* name) {
        file.fd = openat(folder, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        return file.fd >= 0;
    });
}

// The file being replaced: a descriptor that holds it and what fstat says of it.
struct Earlier {
    int fd;
    struct stat facts;
};

// Whether `folder` lists both `name` and `other` as entries of their own.
bool ListsBoth(int folder, const std::string& name, const std::string& other)
{
    const int listed = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* entries = listed >= 0 ? fdopendir(listed) : nullptr;
    if (entries == nullptr) {
        if (listed >= 0) {
            close(listed);
        }
        return false;
    }
    bool nameSeen = false;
    bool otherSeen = false;
    while (const dirent* entry = readdir(entries)) {
        nameSeen = nameSeen || name == entry->d_name;
        otherSeen = otherSeen || other == entry->d_name;
    }
    closedir(entries);
    return nameSeen && otherSeen;
}

// Whether `name` in `folder` is, as a rename over it would find it, the file to keep: the
// same file, or, in the folder the file to keep was read from, its name in another
// spelling that the folder does not list as an entry of its own.
bool HoldsKept(int folder, const char* name, const SourceFileIdentity& keep)
{
    struct stat facts;
    if (fstatat(folder, name, &facts, AT_SYMLINK_NOFOLLOW) != 0) {
        return false;
    }
    if (IdentityOf(facts).Is(keep.file)) {
        return true;
    }
    struct stat here;
    return fstat(folder, &here) == 0 && IdentityOf(here).Is(keep.folder) &&
           SameNameFoldingCase(name, keep.name) && (name == keep.name || !ListsBoth(folder, name, keep.name));
}

// Writes the bytes to a new file beside `name` in `folder` and renames it over `name`.
// With `earlier`, the regular file there, the user must be allowed to write it, and the
// new file takes over its owner, mode, ACL and attributes; it starts private, so it is
// never more open than the earlier one. Just before the rename, what `name` holds then is
// compared with the file to keep, so that no link or name made meanwhile leads the new
// file over it.
WriteOutcome ReplaceFile(int folder, const char* name, const Earlier* earlier, WritePieces& bytes,
                         const SourceFileIdentity& keep, std::string& reason)
{
    Attributes attributes;
    if (earlier != nullptr) {
        if (faccessat(folder, name, W_OK, 0) != 0) {
            reason = ErrnoText(errno);
            return WriteOutcome::Failed;
        }
        if (!ReadAttributes(folder, name, earlier->facts, earlier->fd, attributes, reason)) {
            return WriteOutcome::Failed;
        }
    }
    NewFile file;
    if (!CreateNewFile(folder, earlier != nullptr ? 0600 : 0666, file)) {
        reason = ErrnoText(errno);
        return WriteOutcome::Failed;
    }
    Descriptor held(file.fd);
    std::string takeOverFailure;
    const bool complete =
        (earlier == nullptr || TakeOver(held.Get(), earlier->facts, attributes, takeOverFailure)) &&
        WriteAll(held.Get(), bytes) && fsync(held.Get()) == 0 &&
        (!file.name.empty() || GiveTemporaryName(folder, file)) && held.Close();
    const bool kept = complete && HoldsKept(folder, name, keep);
    const bool ok = complete && !kept && renameat(folder, file.name.c_str(), folder, name) == 0;
    const int error = errno;
    if (!ok && !file.name.empty()) {
        unlinkat(folder, file.name.c_str(), 0);
    }
    g_pendingFolder = -1;
    if (kept) {
        return WriteOutcome::WouldHitKept;
    }
    if (!ok) {
        reason = takeOverFailure.empty() ? ErrnoText(error) : takeOverFailure;
        return WriteOutcome::Failed;
    }
    // The rename reaches the disk with the folder. A file system that cannot sync a folder
    // at all says so, and is no reason to fail; any other failure is, though the new file
    // is in place by now.
    if (fsync(folder) != 0 && errno != EINVAL && errno != ENOTSUP && errno != EOPNOTSUPP) {
        reason = ErrnoText(errno);
        return WriteOutcome::FolderNotSynced;
    }
    return WriteOutcome::Written;
}

// Writes into the device, FIFO or socket `name` in `folder` as it stands, as cp does.
// Opened first without waiting, so that a device is never waited on; a FIFO that nobody
// reads yet ("No such device or address") is then opened again, waiting for its reader as
// a shell's `>` does. A regular file found there instead, put in its place since it was
// looked at, is replaced as one, never written into.
WriteOutcome WriteIntoDevice(int folder, const char* name, WritePieces& bytes, const SourceFileIdentity& keep,
                             std::string& reason)
{
    constexpr int kFlags = O_WRONLY | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC;
    int fd = openat(folder, name, kFlags | O_NONBLOCK);
    if (fd < 0 && errno == ENXIO) {
        do {
            fd = openat(folder, name, kFlags);
        } while (fd < 0 && errno == EINTR);
    }
    const Descriptor device(fd);
    Earlier found = {device.Get(), {}};
    if (device.Get() < 0 || fstat(device.Get(), &found.facts) != 0) {
        reason = ErrnoText(errno);
        return WriteOutcome::Failed;
    }
    if (S_ISREG(found.facts.st_mode)) {
        return ReplaceFile(folder, name, &found, bytes, keep, reason);
    }
    const int flags = fcntl(device.Get(), F_GETFL);
    if (flags < 0 || fcntl(device.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        reason = ErrnoText(errno);
        return WriteOutcome::Failed;
    }
    return WriteInto(device.Get(), found.facts, bytes, keep, reason);
}

// Whether the system would follow the link `link` found in `folder`: in a sticky folder
// that anyone may write to, such as /tmp, only a link of the user's own or of the
// folder's owner, so that nobody can lead another user's write to a file of their
// choosing.
bool MayFollow(int folder, const struct stat& link)
{
    struct stat facts;
    if (fstat(folder, &facts) != 0) {
        return false;
    }
    const bool sticky = (facts.st_mode & S_ISVTX) != 0 && (facts.st_mode & S_IWOTH) != 0;
    return !sticky || link.st_uid == geteuid() || link.st_uid == facts.st_uid;
}

// The text of the link `name` in `folder`. Looked at by its name again, but a link in a
// sticky folder can only be put in the place of another by its owner: one owner's link
// cannot become another's in between.
bool ReadLink(int folder, const std::string& name, std::string& text)
{
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = readlinkat(folder, name.c_str(), buffer.data(), buffer.size());
        if (length < 0) {
            return false;
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            text.assign(buffer.data(), static_cast<std::size_t>(length));
            return true;
        }
        buffer.resize(2 * buffer.size());
    }
}

// What the write of `name` into `folder`, the folder that `folderPath` named, ended in: a
// folder moved while the file was written holds it under another path, which the user is
// to be told instead (from /proc, where the system tells it), never the path that no
// longer leads to it.
WriteOutcome WhereWritten(int folder, const std::string& folderPath, const std::string& name,
                          WriteOutcome outcome, std::string& reason)
{
    struct stat held;
    struct stat named;
    if (outcome != WriteOutcome::Written ||
        (fstat(folder, &held) == 0 && stat(folderPath.c_str(), &named) == 0 &&
         IdentityOf(held).Is(IdentityOf(named)))) {
        return outcome;
    }
    std::string now;
    const bool told = ReadLink(AT_FDCWD, HeldPath(folder).text, now) && now.compare(0, 1, "/") == 0;
    reason = told ? (now == "/" ? "" : now) + "/" + name : "";
    return WriteOutcome::WrittenElsewhere;
}

}  // namespace

int DescriptorNamed(const std::string& path)
{
    if (path == "-") {
        return 1;
    }
    // By what the path leads to, however it is spelt.
    struct stat named;
    if (stat(path.c_str(), &named) == 0) {
        for (const int fd : {1, 2}) {
            struct stat held;
            if (fstat(fd, &held) == 0 && held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
                return fd;
            }
        }
    }
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
    return -1;
}

WriteOutcome WriteIntoDescriptor(int fd, WritePieces& bytes, const SourceFileIdentity& keep,
                                 std::string& reason)
{
    struct stat facts;
    if (fstat(fd, &facts) != 0) {
        reason = ErrnoText(errno);
        return WriteOutcome::Failed;
    }
    return WriteInto(fd, facts, bytes, keep, reason);
}

WriteOutcome WriteToPath(const std::string& path, WritePieces& bytes, const SourceFileIdentity& keep,
                         std::string& reason)
{
    std::string target = path;
    for (int links = 0;; ++links) {
        if (const int descriptor = DescriptorNamed(target); descriptor >= 0) {
            return WriteIntoDescriptor(descriptor, bytes, keep, reason);  // a link led to /dev/fd
        }
        const std::size_t slash = target.rfind('/');
        const std::string folderPath = slash == std::string::npos ? "."
                                       : slash == 0               ? "/"
                                                                  : target.substr(0, slash);
        const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
        if (name.empty() || name == "." || name == "..") {
            reason = ErrnoText(EISDIR);
            return WriteOutcome::Failed;
        }
        const Descriptor folder(open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.Get() < 0) {
            reason = ErrnoText(errno);
            return WriteOutcome::Failed;
        }
        // What is there is looked at through a descriptor that holds it, never through a
        // final link, and judged by fstat of that descriptor. (Without O_PATH, by the name:
        // a device is judged again once it is open for writing.)
#ifdef O_PATH
        const Descriptor found(openat(folder.Get(), name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        Earlier earlier = {found.Get(), {}};
        const bool looked = found.Get() >= 0 && fstat(found.Get(), &earlier.facts) == 0;
#else
        Earlier earlier = {-1, {}};
        const bool looked = fstatat(folder.Get(), name.c_str(), &earlier.facts, AT_SYMLINK_NOFOLLOW) == 0;
#endif
        if (!looked) {
            if (errno == ENOENT) {
                return WhereWritten(folder.Get(), folderPath, name,
                                    ReplaceFile(folder.Get(), name.c_str(), nullptr, bytes, keep, reason),
                                    reason);
            }
            reason = ErrnoText(errno);
            return WriteOutcome::Failed;
        }
        if (S_ISREG(earlier.facts.st_mode)) {
            return WhereWritten(folder.Get(), folderPath, name,
                                ReplaceFile(folder.Get(), name.c_str(), &earlier, bytes, keep, reason),
                                reason);
        }
        if (S_ISDIR(earlier.facts.st_mode)) {
            reason = ErrnoText(EISDIR);
            return WriteOutcome::Failed;
        }
        if (!S_ISLNK(earlier.facts.st_mode)) {
            return WhereWritten(folder.Get(), folderPath, name,
                                WriteIntoDevice(folder.Get(), name.c_str(), bytes, keep, reason), reason);
        }
        std::string link;
        const int refusal = links == kMaxLinks                        ? ELOOP
                            : !MayFollow(folder.Get(), earlier.facts) ? EACCES
                            : !ReadLink(folder.Get(), name, link)     ? errno
                                                                      : 0;
        if (refusal != 0) {
            reason = ErrnoText(refusal);
            return WriteOutcome::Failed;
        }
        target = link.compare(0, 1, "/") == 0 ? link : folderPath + "/" + link;
    }
}

void RemoveTemporaryFileNow()
{
    const int folder = g_pendingFolder;
    if (folder >= 0) {
        unlinkat(folder, g_pendingName, 0);
    }
}
