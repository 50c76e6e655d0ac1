#pragma once

// The safe write's steps on Linux and macOS, which WriteFileSafely takes in turn;
// SafeFileWriteWindows.h declares the same steps for Windows.

#include "output/SafeFileWrite.h"

#include <string>

// Writes the bytes into descriptor `fd` as it stands, and syncs a file or block device.
WriteOutcome WriteIntoDescriptor(int fd, WritePieces& bytes, const SourceFileIdentity& keep,
                                 std::string& reason);

// Writes the bytes to the file, device or FIFO that `path` names, after the symlinks the
// system would follow, as WriteFileSafely says.
WriteOutcome WriteToPath(const std::string& path, WritePieces& bytes, const SourceFileIdentity& keep,
                         std::string& reason);
