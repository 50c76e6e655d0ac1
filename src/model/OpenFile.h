#pragma once

#include <cstdio>
#include <string>

enum class OpenMode { Read, Write };

// Opens a file in binary mode by its UTF-8 path, also where the C library expects the
// system's code page (Windows). Returns nullptr and leaves errno set on failure.
std::FILE* OpenFile(const std::string& path, OpenMode mode);
