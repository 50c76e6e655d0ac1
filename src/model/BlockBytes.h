#pragma once

#include "model/DumpList.h"

#include <cstddef>
#include <cstdint>

// The block's bytes: what every dump line shows, in list order, with nothing between;
// what the executable holds after its header.

// The most bytes the dump lines can show: one for every three characters of their text
// and one more for each line.
std::size_t BlockBytesBound(const DumpList& lines);

// Writes the block's bytes to `to`, which has room for BlockBytesBound(lines) of them,
// and returns the end of what was written: each line's bytes as HexToBytes reads them.
std::uint8_t* WriteBlockBytes(const DumpList& lines, std::uint8_t* to);
