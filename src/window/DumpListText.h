#pragma once

#include "load/LoadObjectFile.h"
#include "model/Label.h"

#include <string>
#include <string_view>
#include <vector>

class FollowOnMarks;

// What the dump list shows besides the dump lines themselves, and how a screen reader
// names it.

// A dump line's character column: each of its bytes, read as the writer reads them, as
// the character it is in printable ASCII, '.' for any other byte, as hex viewers show
// them. For display only: copying and saving take the dump line alone.
std::string CharacterColumn(std::string_view line);

// What the tooltip of the dump line `line`, at row `row`, says: the labels inside it, with
// their addresses ("Labels: start (8000), loop (8007)."), then the warning of its mark;
// its lines wrapped. Empty for a line with neither. Label names are escaped as file names
// are (EscapedName).
std::string DumpLineToolTip(const FollowOnMarks& marks, const std::vector<Label>& labels,
                            std::string_view line, int row);

// The same in one line, for what a screen reader says of the line.
std::string DumpLineDescription(const FollowOnMarks& marks, const std::vector<Label>& labels,
                                std::string_view line, int row);

// Characters between the longest dump line and the character column.
inline constexpr int kCharacterColumnGap = 2;

// What the list says while it holds no dump lines: before anything has been loaded, and
// after a load of `path` that ended as `outcome`. A refused file says nothing more there:
// the reader has said why.
inline constexpr const char* kNothingLoadedText =
    "Open a Tasm listing, object file or Kestrane executable (Ctrl+O), or drop one here.";
std::string EmptyListText(LoadOutcome outcome, const std::string& path);

inline constexpr const char* kDumpListName = "Dump lines";
inline constexpr const char* kDumpListDescription =
    "The block as dump lines: each line's address and bytes, then the bytes as characters. "
    "A mark before a line: it does not follow on from the bytes before it.";

// What a screen reader says of the list: while it holds no dump lines, what it says there
// (`emptyText`) first; then what the list shows.
std::string DumpListDescription(bool empty, const std::string& emptyText);
