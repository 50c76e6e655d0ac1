#pragma once

#include "model/BlockBytes.h"
#include "output/SafeFileWrite.h"

#include <array>
#include <cstddef>
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
// A header field above 0xFFFF is written as its low 16 bits, the digits line 0 shows. The
// header of an opened executable (BlockState::ExeHeader) is written again as it was, but
// for ORG, ENT and SP: the zeros above are what the converter writes of its own.
inline constexpr std::size_t kExeHeaderSize = 512;

// The executable a piece at a time, for writing it without holding it whole: the header,
// then the block's bytes. The lines must stay as they are until the last piece is out.
class ExeImageSource : public ByteSource {
public:
    ExeImageSource(const BlockState& state, const DumpList& lines);

    std::size_t Next(std::uint8_t* to, std::size_t room) override;

private:
    std::array<std::uint8_t, kExeHeaderSize> header_;
    std::size_t headerDone_ = 0;
    const DumpList& lines_;
    BlockBytesCursor at_;
};

// The whole executable at once.
std::vector<std::uint8_t> BuildExeImage(const BlockState& state, const DumpList& lines);
