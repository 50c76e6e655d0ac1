#pragma once

#include <string>
#include <string_view>

// What the dump list shows besides the dump lines themselves.

// A dump line's character column: each of its bytes, read as the writer reads them, as
// the character it is in printable ASCII, '.' for any other byte, as hex viewers show
// them. For display only: copying and saving take the dump line alone.
std::string CharacterColumn(std::string_view line);

// Characters between the longest dump line and the character column.
inline constexpr int kCharacterColumnGap = 2;

// What the list says while it holds no dump lines: before anything has been loaded, and
// after a load of `path` that left it empty.
inline constexpr const char* kNothingLoadedText =
    "Open a Tasm listing or object file (Ctrl+O), or drop one here.";
std::string NoDumpLinesText(const std::string& path);
