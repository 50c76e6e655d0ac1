#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes `bytes` to `path` so that no reader ever sees a partial file: the bytes go to a
// temporary file in the same folder, which then replaces `path`. On failure the
// temporary file is removed, an earlier file at `path` is left as it was, `reason`
// says why ("No such file or directory") and the result is false.
bool WriteFileSafely(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& reason);

// True when something other than a folder exists at `path`.
bool FileExists(const std::string& path);
