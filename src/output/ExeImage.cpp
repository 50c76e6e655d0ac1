#include "output/ExeImage.h"

#include "model/BlockState.h"
#include "model/DumpList.h"
#include "model/HexText.h"

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
    std::size_t textSize = 0;
    for (const std::string& line : lines.Lines()) {
        textSize += line.size();
    }
    std::vector<std::uint8_t> image(kExeHeaderSize, 0);
    image.reserve(kExeHeaderSize + textSize / 3 + 1);
    std::copy(kSignature.begin(), kSignature.end(), image.begin());
    PutWord(image, 16, state.Org);
    PutWord(image, 18, state.Ent);
    PutWord(image, 20, state.Sp);
    for (const std::string& line : lines.Lines()) {
        AppendHexBytes(LineByteText(line), image);
    }
    return image;
}
