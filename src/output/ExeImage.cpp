#include "output/ExeImage.h"

#include "model/BlockState.h"
#include "model/DumpList.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {'E', 'X', 'E', 0x00, 0x00, 0x02, 0x00, 0x00};

void PutWord(std::array<std::uint8_t, kExeHeaderSize>& header, std::size_t offset, std::int32_t value)
{
    const auto word = static_cast<std::uint32_t>(value) & 0xFFFFu;
    header[offset] = static_cast<std::uint8_t>(word & 0xFF);
    header[offset + 1] = static_cast<std::uint8_t>(word >> 8);
}

}  // namespace

ExeImageSource::ExeImageSource(const BlockState& state, const DumpList& lines) : header_(), lines_(lines)
{
    if (state.ExeHeader.size() == header_.size()) {
        std::copy(state.ExeHeader.begin(), state.ExeHeader.end(), header_.begin());
    } else {
        std::copy(kSignature.begin(), kSignature.end(), header_.begin());
    }
    PutWord(header_, 16, state.Org);
    PutWord(header_, 18, state.Ent);
    PutWord(header_, 20, state.Sp);
}

std::size_t ExeImageSource::Next(std::uint8_t* to, std::size_t room)
{
    const std::size_t header = std::min(room, header_.size() - headerDone_);
    std::copy_n(header_.begin() + static_cast<std::ptrdiff_t>(headerDone_), header, to);
    headerDone_ += header;
    return header +
           static_cast<std::size_t>(WriteBlockBytes(lines_, at_, to + header, to + room) - (to + header));
}

std::vector<std::uint8_t> BuildExeImage(const BlockState& state, const DumpList& lines)
{
    // Room for the most bytes the lines can show, so that one piece holds them all; what
    // is left over is cut off.
    std::vector<std::uint8_t> image(kExeHeaderSize + BlockBytesBound(lines));
    ExeImageSource source(state, lines);
    image.resize(source.Next(image.data(), image.size()));
    return image;
}
