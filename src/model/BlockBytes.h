#pragma once

#include "model/DumpList.h"

#include <cstddef>
#include <cstdint>

// The block's bytes: what every dump line shows, in list order, with nothing between;
// what the executable holds after its header. Each line's bytes are those HexToBytes
// reads from its text after the address.

// Where writing a block's bytes stands: the line, and the pair within it.
struct BlockBytesCursor {
    int line = 0;
    std::size_t pair = 0;
};

// The most bytes the dump lines can show: one for every three characters of their text
// and one more for each line.
std::size_t BlockBytesBound(const DumpList& lines);

// Writes the block's bytes from `at` on to [to, end), as many as there is room for, and
// moves `at` past them; returns the end of what was written. All are written once
// at.line is lines.Count(). So the block goes out a piece at a time, never held whole.
std::uint8_t* WriteBlockBytes(const DumpList& lines, BlockBytesCursor& at, std::uint8_t* to,
                              const std::uint8_t* end);
