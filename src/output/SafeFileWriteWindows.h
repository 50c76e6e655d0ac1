#pragma once

// The safe write's steps on Windows, which WriteFileSafely takes in turn;
// SafeFileWritePosix.h declares the same steps for Linux and macOS.

#include <string>

class WritePieces;

// Writes the bytes into the C library's descriptor `fd` (standard output for "-") as it
// stands, and flushes a file to the disk.
bool WriteIntoDescriptor(int fd, WritePieces& bytes, std::string& reason);

// Writes the bytes to the file or device that `path` names, as WriteFileSafely says.
bool WriteToPath(const std::string& path, WritePieces& bytes, std::string& reason);
