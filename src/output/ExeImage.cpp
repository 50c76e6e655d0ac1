#include "output/ExeImage.h"

#include "model/BlockBytes.h"
#include "model/BlockState.h"
#include "model/DumpList.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {'E', 'X', 'E', 0x00, 0x00, 0x02, 0x00, 0x00};

void PutWord(std::vector<std::uint8_t>& image, std::size_t offset, std::int32_t value)
{
    const auto word = static_cast<std::uint32_t>(value) & 0xFFFFu;
    image[offset] = static_cast<std::uint8_t>(word & 0xFF);
    image[offset + 1] = static_cast<std::uint8_t>(word >> 8);
}

}  // namespace

std::vector<std::uint8_t> BuildExeImage(const BlockState& state, const DumpList& lines)
{
    // Sized for the most bytes the lines can show, so that the block is parsed in one pass
    // with nothing moved; what is left over is cut off at the end.
    std::vector<std::uint8_t> image(kExeHeaderSize + BlockBytesBound(lines), 0);
    std::copy(kSignature.begin(), kSignature.end(), image.begin());
    PutWord(image, 16, state.Org);
    PutWord(image, 18, state.Ent);
    PutWord(image, 20, state.Sp);
    const std::uint8_t* end = WriteBlockBytes(lines, image.data() + kExeHeaderSize);
    image.resize(static_cast<std::size_t>(end - image.data()));
    return image;
}
