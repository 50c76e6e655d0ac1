#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class DumpList;

// Finding places in the block by the dump lines: the line that holds an address, and
// bytes sought in the block.

// A place in the block: a dump line, and how many of the block's bytes lie before the
// place (it loads at ORG plus that many).
struct BlockSpot {
    int line = 0;
    std::int64_t offset = 0;
};

// The first dump line whose bytes hold `address` as the line gives them: its address up
// to its address + its bytes - 1 (wrapping past FFFF). None when no line does.
std::optional<BlockSpot> LineHolding(const DumpList& lines, std::int32_t address);

// The addresses the dump lines give their bytes, for a message: "8000-803F", or for lines
// that do not follow on "8000-800E, 9000-9013, 9100-9102" (the first four pieces, then how
// many more).
std::string LineRangesText(const DumpList& lines);

// A run of bytes found: the dump lines it starts and ends in, where it starts in the
// block, and whether the search passed an end of the block to find it.
struct FoundBytes {
    int firstLine = 0;
    int lastLine = 0;
    std::int64_t offset = 0;
    bool wrapped = false;
};

enum class SearchDirection { Forward, Backward };

// Seeks `pattern` in the block's bytes, in dump-line order, as the executable holds them,
// so that a run may start in one line and end in another. Forward: the first run that
// starts after the dump line `current` (before line 0 when -1); if none, the first from
// the start of the block on (`wrapped`). Backward: the last run that starts before line
// `current` (after the last line when -1); if none, the last from the end of the block
// back (`wrapped`). None when the block holds no such run, or `pattern` is empty.
std::optional<FoundBytes> FindInBlock(const DumpList& lines, const std::vector<std::uint8_t>& pattern,
                                      int current, SearchDirection direction);
