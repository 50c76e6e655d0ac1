#pragma once

// The safe write's steps on Windows, which WriteFileSafely takes in turn;
// SafeFileWritePosix.h declares the same steps for Linux and macOS.

#include "output/SafeFileWrite.h"

#include <string>

// Writes the bytes into the C library's descriptor `fd` (standard output for "-") as it
// stands, and flushes a file to the disk.
WriteOutcome WriteIntoDescriptor(int fd, WritePieces& bytes, const SourceFileIdentity& keep,
                                 std::string& reason);

// Writes the bytes to the file or device that `path` names, as WriteFileSafely says.
WriteOutcome WriteToPath(const std::string& path, WritePieces& bytes, const SourceFileIdentity& keep,
                         std::string& reason);
