#include "window/BlockMapGeometry.h"

#include "model/HexText.h"

#include <algorithm>

namespace {

constexpr std::int64_t kAddressSpace = 0x10000;
constexpr std::int32_t kPageSize = 0x4000;

}  // namespace

int BlockMapGeometry::Height(int rowHeight)
{
    // A row for the ENT and SP markers, the strip, and a row for the pages' labels.
    return 3 * rowHeight + 1;
}

BlockMapGeometry::BlockMapGeometry(int width, int rowHeight) : width_(width), rowHeight_(rowHeight)
{
    const int inset = rowHeight / 3 + 1;
    strip_ = {inset, rowHeight, width - 2 * inset, rowHeight};
}

int BlockMapGeometry::XOf(std::int64_t address) const
{
    return strip_.left + static_cast<int>(address * (strip_.width - 1) / kAddressSpace);
}

std::int32_t BlockMapGeometry::AddressAt(int x) const
{
    const std::int64_t pixels = std::max(1, strip_.width - 1);
    const std::int64_t address = (std::int64_t{x - strip_.left} * kAddressSpace + pixels - 1) / pixels;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(address, 0, kAddressSpace - 1));
}

std::vector<MapLabel> BlockMapGeometry::PageLabels() const
{
    std::vector<MapLabel> labels;
    for (std::int32_t page = 0; page < kAddressSpace; page += kPageSize) {
        const int left = XOf(page);
        labels.push_back({left, XOf(page + kPageSize) - left, FormatHex4(static_cast<std::uint32_t>(page))});
    }
    return labels;
}

std::vector<StripPiece> BlockMapGeometry::Pieces(const BlockLayout& layout) const
{
    const int least = std::max(4, rowHeight_ / 3);
    std::vector<StripPiece> pieces;
    const auto add = [&](const BlockLayout& loaded, bool twice) {
        for (const AddressRange& range : LoadedRanges(loaded)) {
            const int left = XOf(range.first);
            pieces.push_back({left, std::max(least, XOf(std::int64_t{range.last} + 1) - left), twice});
        }
    };
    add(layout, false);
    if (layout.Over64K()) {
        // The bytes past the first 64K load over the first ones again.
        BlockLayout again = layout;
        again.bytes = layout.bytes - kAddressSpace;
        add(again, true);
    }
    return pieces;
}

std::vector<int> BlockMapGeometry::FollowOnTicks(const BlockLayout& layout) const
{
    std::vector<int> ticks;
    for (std::size_t run = 1; run < layout.runs.size(); ++run) {
        const int x = XOf(layout.LoadAddress(layout.runs[run].offset));
        if (ticks.empty() || ticks.back() != x) {
            ticks.push_back(x);
        }
    }
    return ticks;
}

std::vector<MapMarker> BlockMapGeometry::Markers(const MappedBlock& block, const TextWidth& textWidth) const
{
    std::vector<MapMarker> markers;
    int usedLeft = 0;
    int usedRight = -1;  // none used yet
    for (const auto& [address, text] :
         {std::pair<std::int32_t, const char*>{block.ent, "ENT"}, {block.sp, "SP"}}) {
        const int x = XOf(address);
        MapLabel label{x + MarkerSize() + 1, textWidth(text), text};
        const int right = label.left + label.width - 1;
        if (right > width_ || (usedRight >= usedLeft && label.left <= usedRight && usedLeft <= right)) {
            label.left = x - MarkerSize() - 2 - label.width + 1;
        }
        usedLeft = usedRight < usedLeft ? label.left : std::min(usedLeft, label.left);
        usedRight = std::max(usedRight, label.left + label.width - 1);
        markers.push_back({x, label});
    }
    return markers;
}
