#include "window/BlockMapGeometry.h"

#include "model/HexText.h"

#include <algorithm>

namespace {

constexpr std::int64_t kAddressSpace = 0x10000;
constexpr std::int32_t kPageSize = 0x4000;

std::string Hex4(std::int64_t address)
{
    return FormatHex4(static_cast<std::uint32_t>(address));
}

bool Overlap(int leftA, int rightA, int leftB, int rightB)
{
    return leftA <= rightB && leftB <= rightA;
}

}  // namespace

std::int64_t OffsetOf(const BlockLayout& layout, std::int32_t address)
{
    return ((std::int64_t{address} - layout.start) % kAddressSpace + kAddressSpace) % kAddressSpace;
}

int BlockMapGeometry::Height(int rowHeight)
{
    // Three rows for the overview, half a row apart from the three of the detail row.
    return 6 * rowHeight + rowHeight / 2 + 1;
}

BlockMapGeometry::BlockMapGeometry(int width, int rowHeight) : width_(width), rowHeight_(rowHeight)
{
    const int inset = rowHeight / 3 + 1;
    strip_ = {inset, rowHeight, width - 2 * inset, rowHeight};
    detailTop_ = 3 * rowHeight + rowHeight / 2;
    detail_ = {inset, detailTop_ + rowHeight, width - 2 * inset, rowHeight};
    // The columns inside each strip's frame.
    columns_ = std::max(4, strip_.width - 2);
    detailColumns_ = std::max(1, detail_.width - 2);
}

int BlockMapGeometry::PageColumn(std::int64_t page) const
{
    return static_cast<int>(columns_ * page / (kAddressSpace / kPageSize));
}

int BlockMapGeometry::XOf(std::int64_t address) const
{
    if (address >= kAddressSpace) {
        return strip_.left + 1 + columns_;
    }
    // Each 16K page has whole columns of its own, so that a page's first address is the
    // first of its column, where the page's line and label are drawn.
    const std::int64_t page = address / kPageSize;
    const int first = PageColumn(page);
    const std::int64_t columns = PageColumn(page + 1) - first;
    return strip_.left + 1 + first + static_cast<int>(address % kPageSize * columns / kPageSize);
}

std::int32_t BlockMapGeometry::AddressAt(int x) const
{
    const int column = std::clamp(x - strip_.left - 1, 0, columns_ - 1);
    std::int64_t page = kAddressSpace / kPageSize - 1;
    while (PageColumn(page) > column) {
        --page;
    }
    const std::int64_t columns = PageColumn(page + 1) - PageColumn(page);
    const std::int64_t inPage =
        ((column - PageColumn(page)) * std::int64_t{kPageSize} + columns - 1) / columns;
    return static_cast<std::int32_t>(page * kPageSize + inPage);
}

std::int32_t BlockMapGeometry::LastAddressAt(int x) const
{
    const int column = std::clamp(x - strip_.left - 1, 0, columns_ - 1);
    return column == columns_ - 1 ? static_cast<std::int32_t>(kAddressSpace - 1)
                                  : AddressAt(strip_.left + 1 + column + 1) - 1;
}

std::int32_t BlockMapGeometry::AddressShownAt(int x, const BlockLayout* layout) const
{
    const std::int32_t first = AddressAt(x);
    if (layout == nullptr || layout->bytes == 0) {
        return first;
    }
    if (layout->Over64K()) {
        return first;  // every address is loaded
    }
    const std::int32_t last = LastAddressAt(x);
    std::optional<std::int32_t> loaded;
    for (const AddressRange& range : LoadedRanges(*layout)) {
        if (range.first <= last && range.last >= first) {
            const std::int32_t at = std::max(first, range.first);
            loaded = loaded ? std::min(*loaded, at) : at;
        }
    }
    if (loaded) {
        return *loaded;
    }
    for (const PieceSpan& span : PieceSpans(*layout)) {
        const StripPiece& piece = span.piece;
        if (!piece.loadedTwice && x >= piece.left && x < piece.left + piece.width) {
            return x < XOf(span.range.first) ? span.range.first : span.range.last;
        }
    }
    return first;
}

std::vector<MapLabel> BlockMapGeometry::PageLabels() const
{
    std::vector<MapLabel> labels;
    for (std::int32_t page = 0; page < kAddressSpace; page += kPageSize) {
        const int left = XOf(page);
        labels.push_back({left, XOf(page + kPageSize) - left, Hex4(page)});
    }
    return labels;
}

std::vector<BlockMapGeometry::PieceSpan> BlockMapGeometry::PieceSpans(const BlockLayout& layout) const
{
    const int firstColumn = strip_.left + 1;
    const int lastColumn = strip_.left + columns_;
    const int least = std::min(LeastPieceColumns(), columns_);
    std::vector<PieceSpan> spans;
    const auto add = [&](const BlockLayout& loaded, bool twice) {
        for (const AddressRange& range : LoadedRanges(loaded)) {
            int left = XOf(range.first);
            const int right = std::max(XOf(range.last), std::min(left + least - 1, lastColumn));
            left = std::max(firstColumn, std::min(left, right - least + 1));
            spans.push_back({range, {left, right - left + 1, twice}});
        }
    };
    add(layout, false);
    if (layout.Over64K()) {
        // The bytes past the first 64K load over the first ones again.
        BlockLayout again = layout;
        again.bytes = layout.bytes - kAddressSpace;
        add(again, true);
    }
    return spans;
}

std::vector<StripPiece> BlockMapGeometry::Pieces(const BlockLayout& layout) const
{
    std::vector<StripPiece> pieces;
    for (const PieceSpan& span : PieceSpans(layout)) {
        pieces.push_back(span.piece);
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

MapMarkers BlockMapGeometry::Markers(const MappedBlock& block, const TextWidth& textWidth) const
{
    return LayOutMarkers(XOf(block.ent), XOf(block.sp), textWidth);
}

int BlockMapGeometry::DetailXOf(const BlockLayout& layout, std::int64_t offset) const
{
    const std::int64_t bytes = std::max<std::int64_t>(1, layout.bytes);
    return detail_.left + 1 + static_cast<int>(std::min(offset, bytes) * detailColumns_ / bytes);
}

std::int64_t BlockMapGeometry::DetailOffsetAt(const BlockLayout& layout, int x) const
{
    const std::int64_t bytes = std::max<std::int64_t>(1, layout.bytes);
    const std::int64_t column = std::clamp(x - detail_.left - 1, 0, detailColumns_ - 1);
    std::int64_t offset = (column * bytes + detailColumns_ - 1) / detailColumns_;
    if (offset >= bytes || (offset > 0 && DetailXOf(layout, offset) > detail_.left + 1 + column)) {
        --offset;  // no byte starts in this column: the one before covers it
    }
    if (layout.Over64K() && DetailXOf(layout, kAddressSpace) == detail_.left + 1 + column) {
        offset = kAddressSpace;  // the column is hatched from here: its first byte loaded twice
    }
    return std::clamp<std::int64_t>(offset, 0, bytes - 1);
}

std::optional<StripPiece> BlockMapGeometry::DetailLoadedTwice(const BlockLayout& layout) const
{
    if (!layout.Over64K()) {
        return std::nullopt;
    }
    const int left = DetailXOf(layout, kAddressSpace);
    return StripPiece{left, detail_.Right() - left, true};
}

std::vector<int> BlockMapGeometry::DetailTicks(const BlockLayout& layout) const
{
    std::vector<int> ticks;
    for (std::size_t run = 1; run < layout.runs.size(); ++run) {
        const int x = DetailXOf(layout, layout.runs[run].offset);
        if (ticks.empty() || ticks.back() != x) {
            ticks.push_back(x);
        }
    }
    return ticks;
}

std::vector<MapLabel> BlockMapGeometry::DetailLabels(const MappedBlock& block,
                                                     const TextWidth& textWidth) const
{
    const BlockLayout& layout = block.layout;
    std::vector<MapLabel> labels;
    if (layout.bytes == 0) {
        return labels;
    }
    const int space = MarkerSize();
    // Placed from `x` on, or ending at `x` (`fromRight`), kept inside the strip, where it
    // overlaps no label placed before it.
    const auto place = [&](int x, const std::string& text, bool fromRight) {
        const int width = textWidth(text);
        const int left = std::clamp(fromRight ? x - width + 1 : x, detail_.left, detail_.Right() - width + 1);
        const bool free = std::none_of(labels.begin(), labels.end(), [&](const MapLabel& placed) {
            return Overlap(left - space, left + width - 1 + space, placed.left, placed.Right());
        });
        if (free) {
            labels.push_back({left, width, text});
        }
        return free;
    };
    // Where the block starts and ends loading first; then each place where a dump line does
    // not follow on, as "9000 loads at 800F" from its tick, or ending there, or where that
    // has no room as the address alone, like the others; left out where even that has none
    // (its tick and tooltip tell it).
    place(detail_.left, Hex4(layout.start), false);
    place(detail_.Right(), Hex4(layout.LoadAddress(layout.bytes - 1)), true);
    for (std::size_t run = 1; run < layout.runs.size(); ++run) {
        const DumpLineRun& r = layout.runs[run];
        const int x = DetailXOf(layout, r.offset);
        const std::string at = Hex4(layout.LoadAddress(r.offset));
        const std::string full = Hex4(r.address) + " loads at " + at;
        (void)(place(x, full, false) || place(x, full, true) || place(x, at, false) || place(x, at, true));
    }
    // Left to right, as they are read.
    std::sort(labels.begin(), labels.end(),
              [](const MapLabel& a, const MapLabel& b) { return a.left < b.left; });
    return labels;
}

std::optional<int> BlockMapGeometry::DetailXOfAddress(const BlockLayout& layout, std::int32_t address) const
{
    const std::int64_t offset = OffsetOf(layout, address);
    if (offset >= layout.bytes) {
        return std::nullopt;
    }
    const int left = DetailXOf(layout, offset);
    return (left + std::max(left, DetailXOf(layout, offset + 1) - 1)) / 2;
}

MapMarkers BlockMapGeometry::DetailMarkers(const MappedBlock& block, const TextWidth& textWidth) const
{
    return LayOutMarkers(DetailXOfAddress(block.layout, block.ent), DetailXOfAddress(block.layout, block.sp),
                         textWidth);
}

MapMarkers BlockMapGeometry::LayOutMarkers(std::optional<int> entX, std::optional<int> spX,
                                           const TextWidth& textWidth) const
{
    struct Marker {
        int x;
        std::string name;
    };
    std::vector<Marker> markers;
    if (entX) {
        markers.push_back({*entX, "ENT"});
    }
    if (spX) {
        markers.push_back({*spX, "SP"});
    }
    // Left to right; ENT first where both point at one column.
    std::stable_sort(markers.begin(), markers.end(),
                     [](const Marker& a, const Marker& b) { return a.x < b.x; });

    MapMarkers laidOut;
    for (const Marker& marker : markers) {
        laidOut.arrows.push_back(marker.x);
    }
    const int size = MarkerSize();
    const int rowLeft = 0;
    const int rowRight = width_ - 1;
    // A label on the right of a triangle, or on its left.
    const auto beside = [&](int x, const std::string& text, bool right) {
        const int width = textWidth(text);
        return MapLabel{right ? x + size + 1 : x - size - 2 - width + 1, width, text};
    };
    // Whether the labels lie inside the row, clear of each other and of every triangle.
    const auto clear = [&](const std::vector<MapLabel>& labels) {
        for (std::size_t i = 0; i < labels.size(); ++i) {
            const MapLabel& label = labels[i];
            if (label.left < rowLeft || label.Right() > rowRight) {
                return false;
            }
            for (const Marker& marker : markers) {
                if (Overlap(label.left, label.Right(), marker.x - size, marker.x + size)) {
                    return false;
                }
            }
            for (std::size_t j = 0; j < i; ++j) {
                if (Overlap(label.left - size, label.Right() + size, labels[j].left, labels[j].Right())) {
                    return false;
                }
            }
        }
        return true;
    };

    if (markers.size() == 1) {
        const MapLabel right = beside(markers[0].x, markers[0].name, true);
        laidOut.labels.push_back(clear({right}) ? right : beside(markers[0].x, markers[0].name, false));
        return laidOut;
    }
    if (markers.size() < 2) {
        return laidOut;
    }
    // One label beside each triangle, where the triangles stand apart: both on the right,
    // the outer sides, both on the left, or the inner sides.
    if (markers[1].x - markers[0].x > 2 * size) {
        for (const auto& [firstRight, secondRight] :
             {std::pair{true, true}, {false, true}, {false, false}, {true, false}}) {
            std::vector<MapLabel> labels{beside(markers[0].x, markers[0].name, firstRight),
                                         beside(markers[1].x, markers[1].name, secondRight)};
            if (clear(labels)) {
                laidOut.labels = std::move(labels);
                return laidOut;
            }
        }
    }
    // No room for two: one label for both, beside the pair, or as near as the row allows.
    const std::string both = markers[0].name + ", " + markers[1].name;
    MapLabel label = beside(markers[1].x, both, true);
    if (!clear({label})) {
        label = beside(markers[0].x, both, false);
        label.left = std::clamp(label.left, rowLeft, std::max(rowLeft, rowRight - label.width + 1));
    }
    laidOut.labels.push_back(label);
    return laidOut;
}
