#pragma once

#include "model/BlockState.h"

#include <csignal>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// The bytes of a file, handed out a piece at a time, so that a large file is written
// without being held whole.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    // Writes the next bytes to `to`, at most `room` of them, and returns how many; 0 once
    // every byte has been handed out. Must not throw: a file is being written.
    virtual std::size_t Next(std::uint8_t* to, std::size_t room) = 0;
};

// How a safe write ended.
enum class WriteOutcome {
    Written,
    WrittenElsewhere,  // written, but its folder was moved meanwhile: `reason` is the file's path
                       // now, or empty where the system does not tell it
    FolderNotSynced,   // the new file is in place, but its folder could not be synced: `reason`
                       // says why; a crash may yet lose it
    Failed,            // nothing was written; `reason` says why
    WouldHitKept,      // what the write would replace or write into is the file to keep
};

// Writes the bytes of `source` to `path` so that no reader, and no crash, ever sees a
// partial file, and nothing is written where the user did not ask:
// - standard output or standard error, by whatever name (DescriptorNamed): the bytes go
//   into the descriptor the program holds, as it stands (a pipe gets them, a file opened
//   for appending is appended to), and a file or block device there is synced.
// - missing or a regular file: the bytes go to a new file in the same folder (on Linux
//   unnamed, where the file system allows, until its bytes are on the disk), synced, and
//   renamed over `path`; then the folder is synced. An earlier file keeps its permission
//   bits, never widened, its ACL and extended attributes (those the process may set),
//   and its owner and group where the process may set them. One the user may not write
//   (no write permission, or read-only on Windows) is refused, and left as it was.
// - a symlink: followed only where the system would follow it (never another user's link
//   in a sticky world-writable folder such as /tmp, unless the folder is that user's);
//   the file it leads to is written as above, and the link stays a link.
// - a device, FIFO or socket: the bytes are written into it, and a block device synced;
//   a FIFO that nobody reads yet is waited on until someone does, as a shell's `>` waits.
// - a folder, or an empty name: refused before anything is written.
// What is there is judged by the descriptor held, not by the name looked at before. The
// file `keep` (the source being converted) is never replaced or written into: what the
// name holds is compared with it by device and inode, and by its name where the folder is
// the source's (SourceFileIdentity), just before the new file is renamed over it, and what
// is written into as it is opened; on a match nothing is written and the outcome says so.
// An earlier file whose attributes cannot be read is not replaced: its copy would lose its
// ACL and be more open than it. On failure no new file is left beside the target, an
// earlier file is as it was, `reason` says why ("No such file or directory"); only when the
// folder alone could not be synced is the new file in place all the same. On Windows, a
// file another program holds open is tried again for a moment before the write gives up.
WriteOutcome WriteFileSafely(const std::string& path, ByteSource& source, const SourceFileIdentity& keep,
                             std::string& reason);

// True when there is something that writing to `path` would replace or write into: a
// file or device, after links, or a descriptor that "-" or /dev/stdout names.
bool TargetExists(const std::string& path);

// The descriptor that `path` names for the write: 1 for "-"; on Linux and macOS 1 or 2
// for any path that leads to what standard output or standard error holds (the same
// device and inode, after every link: /dev/stdout, /dev/./stdout, /proc/self/fd/1, a link
// to one of them, a terminal's or FIFO's own name), else N for /dev/fd/N and
// /proc/self/fd/N; else -1.
int DescriptorNamed(const std::string& path);

// The signals that end the program, whose handlers remove the temporary file of a write
// under way before it ends (SetUpSignals). SIGKILL cannot be caught: on Linux the new
// file has no name until its bytes are on the disk, so that it never leaves a partial
// file; only in the instant between naming the complete file and renaming it over the
// target can it leave that complete file behind, under its temporary name.
#ifdef _WIN32
inline constexpr int kInterruptingSignals[] = {SIGINT, SIGTERM};
#else
inline constexpr int kInterruptingSignals[] = {SIGINT,  SIGTERM, SIGHUP,  SIGQUIT,
                                               SIGUSR1, SIGUSR2, SIGALRM, SIGPIPE};
#endif

// Removes the temporary file of the write under way, if it has a name. Safe to call from
// a signal handler.
void RemoveTemporaryFileNow();

// What the two platforms' parts of the safe write share (SafeFileWritePosix.cpp,
// SafeFileWriteWindows.cpp, one of which CMake builds).

// The bytes of a file as they are written: the source, and a buffer for one piece of it,
// allocated before any file is touched, so that running out of memory leaves none behind.
class WritePieces {
public:
    static constexpr std::size_t kSize = 1 << 16;

    explicit WritePieces(ByteSource& bytes) : source_(bytes), buffer_(new std::uint8_t[kSize]) {}

    // Fills the buffer with the next piece and returns its length; 0 at the end.
    std::size_t Next() { return source_.Next(buffer_.get(), kSize); }
    const std::uint8_t* Data() const { return buffer_.get(); }

private:
    ByteSource& source_;
    std::unique_ptr<std::uint8_t[]> buffer_;
};

// Tries at finding a temporary name nobody uses before giving up.
inline constexpr int kMaxNameTries = 100;

// A fresh name for a temporary file: eight characters, so that it fits wherever the
// target's own name fits, starting with a dot so that it stays out of folder listings.
std::string TemporaryName(unsigned long long processId);
