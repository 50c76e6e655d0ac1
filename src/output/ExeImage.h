#pragma once

#include <cstdint>
#include <vector>

class DumpList;
struct BlockState;

// The Kestrane executable: a 512-byte header, then the block.
//
//   offset  size  content
//        0     3  "EXE"
//        3     1  00
//        4     4  512, the header's length, as a 32-bit little-endian number
//        8     8  00
//       16     2  ORG   (each 16-bit field little-endian: low byte, then high byte)
//       18     2  ENT
//       20     2  SP
//       22   490  00
//      512  rest  the bytes of dump line 0, then line 1, and so on, with nothing between
//
// A header field above 0xFFFF is written as its low 16 bits, the digits line 0 shows.
inline constexpr std::size_t kExeHeaderSize = 512;

std::vector<std::uint8_t> BuildExeImage(const BlockState& state, const DumpList& lines);
