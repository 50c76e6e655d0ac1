#pragma once

#include <cstddef>
#include <cstdint>
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

// Writes the bytes of `source` to `path` so that no reader, and no crash, ever sees a partial file:
// - missing or a regular file: the bytes go to a temporary file created exclusively in
//   the same folder, are synced to the disk, and the temporary file is renamed over
//   `path`; then the folder is synced. A file that was there keeps its permission bits
//   (and its owner and group where the process may set them).
// - a symlink: the file it leads to is replaced that way, and the link stays a link.
// - a device, FIFO or socket: the bytes are written into it directly.
// - a folder, or an empty name: refused before anything is written.
// On failure the temporary file is removed, an earlier file at `path` is left as it was,
// `reason` says why ("No such file or directory") and the result is false.
bool WriteFileSafely(const std::string& path, ByteSource& source, std::string& reason);

// True when something other than a folder exists at `path` (following symlinks).
bool FileExists(const std::string& path);

// True when `path` names a folder: an existing one, or a name that ends in a separator.
bool NamesFolder(const std::string& path);

// Removes the temporary file of the write under way, if there is one. Safe to call from
// a signal handler: the program's handlers for SIGINT and SIGTERM call it before the
// program ends, so an interrupted write leaves nothing behind.
void RemoveTemporaryFileNow();
