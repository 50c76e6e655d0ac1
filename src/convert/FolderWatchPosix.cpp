// FolderWatch on Linux, with inotify, and on other POSIX systems, by looking every second.

#include "convert/FolderWatch.h"

#include "model/TextUtil.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef __linux__
#include <sys/inotify.h>
#include <sys/vfs.h>
#endif

namespace {

#ifdef __linux__

// File systems whose files other machines write: the kernel hears nothing of those writes,
// so inotify would never tell of them. (FUSE covers sshfs and the like; 9P, WSL's drives.)
bool IsNetworkFileSystem(const std::string& folder)
{
    struct statfs facts;
    if (statfs(folder.c_str(), &facts) != 0) {
        return false;
    }
    switch (static_cast<unsigned long>(facts.f_type)) {
        case 0x6969:      // NFS
        case 0x517B:      // SMB
        case 0xFF534D42:  // CIFS
        case 0xFE534D42:  // SMB2
        case 0x65735546:  // FUSE
        case 0x01021997:  // 9P
        case 0x73757245:  // Coda
        case 0x5346414F:  // AFS
        case 0x00C36400:  // Ceph
        case 0x47504653:  // GPFS
        case 0x0BD00BD0:  // Lustre
            return true;
        default:
            return false;
    }
}

#endif

// Makes `fd` close on exec and never block.
void SetFlags(int fd)
{
    fcntl(fd, F_SETFD, FD_CLOEXEC);
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// Reads whatever waits on `fd`, to empty it.
void Drain(int fd)
{
    char buffer[4096];
    while (read(fd, buffer, sizeof buffer) > 0) {
    }
}

}  // namespace

struct FolderWatch::Parts {
    int notify = -1;  // inotify's descriptor; -1 where there is none
    int wakeRead = -1;
    int wakeWrite = -1;  // Stop writes a byte here, to end a poll under way
    std::atomic<bool> stopped{false};
    // Some folder is one the system may not tell of changes in: Wait looks every second.
    bool lookEverySecond = false;
};

FolderWatch::FolderWatch() : parts_(std::make_unique<Parts>())
{
    int wake[2];
    if (pipe(wake) == 0) {
        SetFlags(wake[0]);
        SetFlags(wake[1]);
        parts_->wakeRead = wake[0];
        parts_->wakeWrite = wake[1];
    }
#ifdef __linux__
    parts_->notify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
#endif
    parts_->lookEverySecond = parts_->notify < 0;
}

FolderWatch::~FolderWatch()
{
    for (const int fd : {parts_->notify, parts_->wakeRead, parts_->wakeWrite}) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

bool FolderWatch::Add(const std::string& folder, std::string& reason)
{
    struct stat facts;
    if (stat(folder.c_str(), &facts) != 0) {
        reason = ErrnoText(errno);
        return false;
    }
    if (!S_ISDIR(facts.st_mode)) {
        reason = ErrnoText(ENOTDIR);
        return false;
    }
#ifdef __linux__
    // Every way a file there can change: written (and closed), made, removed, renamed in or
    // out (a new file renamed over the old one), its times or permissions changed.
    constexpr std::uint32_t kEvents = IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB | IN_CREATE | IN_DELETE |
                                      IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF |
                                      IN_ONLYDIR;
    if (parts_->notify < 0 || inotify_add_watch(parts_->notify, folder.c_str(), kEvents) < 0 ||
        IsNetworkFileSystem(folder)) {
        parts_->lookEverySecond = true;  // out of watches, say: looked at every second instead
    }
#endif
    return true;
}

FolderWatch::Wake FolderWatch::Wait(std::optional<std::chrono::milliseconds> timeout)
{
    Parts& parts = *parts_;
    if (parts.stopped) {
        return Wake::Stopped;
    }
    long long wait = timeout ? std::max<long long>(0, timeout->count()) : -1;
    if (parts.lookEverySecond && (wait < 0 || wait > kLookEvery.count())) {
        wait = kLookEvery.count();
    }
    struct pollfd fds[2] = {{parts.wakeRead, POLLIN, 0}, {parts.notify, POLLIN, 0}};
    const int ready = poll(fds, parts.notify >= 0 ? 2 : 1, static_cast<int>(wait));
    if (parts.stopped) {
        return Wake::Stopped;
    }
    if (ready > 0 && (fds[1].revents & POLLIN) != 0) {
        Drain(parts.notify);  // which files changed, the caller finds out for itself
        return Wake::Changed;
    }
    return Wake::TimedOut;  // the time is up, or a signal came: the caller looks all the same
}

void FolderWatch::Stop()
{
    parts_->stopped = true;
    if (parts_->wakeWrite >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = write(parts_->wakeWrite, &byte, 1);
    }
}
