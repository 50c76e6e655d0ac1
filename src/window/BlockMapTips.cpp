#include "window/BlockMapTips.h"

#include "convert/ConsoleFrontEnd.h"
#include "convert/FollowOnWarnings.h"
#include "edit/Labels.h"
#include "model/HexText.h"
#include "model/Page16K.h"
#include "window/TextWrap.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {

constexpr std::int64_t kAddressSpace = 0x10000;

// How close, in pixels, the pointer must be to a marker for the tooltip to tell of it.
constexpr int kSnap = 3;

// At most this many places where a dump line does not follow on are told in one tooltip,
// or in the map's description.
constexpr std::size_t kMostPlaces = 5;

std::string Hex4(std::int64_t address)
{
    return FormatHex4(static_cast<std::uint32_t>(address));
}

// A marker a tooltip may tell of: ENT, SP, or a place where a dump line does not follow
// on, at the column `x` of the row the pointer is over.
struct Marker {
    int x;
    std::int32_t address;
    std::int64_t offset;  // of the byte it marks
    std::string text;
    bool place;
};

// The markers of the overview (`detail` false) or of the detail row.
std::vector<Marker> MarkersOf(const MappedBlock& block, const BlockMapGeometry& geometry, bool detail)
{
    const BlockLayout& layout = block.layout;
    std::vector<Marker> markers;
    const auto addressMarker = [&](std::int32_t address, std::string text) {
        const std::optional<int> x =
            detail ? geometry.DetailXOfAddress(layout, address) : std::optional<int>(geometry.XOf(address));
        if (x) {
            markers.push_back({*x, address, OffsetOf(layout, address), std::move(text), false});
        }
    };
    addressMarker(block.ent, "ENT, the entry address: " + Hex4(block.ent) + ".");
    addressMarker(block.sp, "SP, the initial stack pointer: " + Hex4(block.sp) + ".");
    for (std::size_t run = 1; run < layout.runs.size(); ++run) {
        const std::int64_t offset = layout.runs[run].offset;
        const std::int32_t at = layout.LoadAddress(offset);
        markers.push_back({detail ? geometry.DetailXOf(layout, offset) : geometry.XOf(at), at, offset,
                           "At " + Hex4(at) + ": " + NotFollowingOnText(layout, run), true});
    }
    return markers;
}

// The texts of the markers within reach of the column `x`, and the nearest of them.
struct Reach {
    const Marker* nearest = nullptr;
    std::vector<std::string> texts;
};

Reach Reached(const std::vector<Marker>& markers, int x)
{
    Reach reach;
    int nearest = kSnap + 1;
    std::size_t places = 0;
    for (const Marker& marker : markers) {
        const int distance = std::abs(marker.x - x);
        if (distance > kSnap || (marker.place && ++places > kMostPlaces)) {
            continue;
        }
        if (distance < nearest) {
            nearest = distance;
            reach.nearest = &marker;
        }
        reach.texts.push_back(marker.text);
    }
    if (places > kMostPlaces) {
        reach.texts.push_back("And " + std::to_string(places - kMostPlaces) +
                              " more dump lines that do not follow on.");
    }
    return reach;
}

// The tooltip for `address`, the byte `offset` bytes into the block (if it is in it), and
// the markers there.
std::string Tip(const MappedBlock* block, std::int32_t address, std::int64_t offset,
                const std::vector<std::string>& markers)
{
    std::string tip = Hex4(address) + ", in the 16K page at " + Hex4(Page16K(address));
    if (block == nullptr) {
        return WrapLines(tip + "\nNo block loaded.");
    }
    const BlockLayout& layout = block->layout;
    if (offset < layout.bytes) {
        const auto run = std::upper_bound(layout.runs.begin(), layout.runs.end(), offset,
                                          [](std::int64_t o, const DumpLineRun& r) { return o < r.offset; }) -
                         1;
        const std::int64_t claimed = (run->address + offset - run->offset) & 0xFFFF;
        tip += "\nByte " + std::to_string(offset + 1) + " of the block's " + std::to_string(layout.bytes);
        if (claimed != address) {
            tip += ", which its dump line puts at " + Hex4(claimed);
        }
        tip += ".";
        // The listing's label at the address its dump line gives the byte, or before it.
        if (const std::optional<LabelPlace> label =
                LabelAtOrBefore(block->labels, static_cast<std::int32_t>(claimed))) {
            tip += "\nLabel: " + EscapedName(LabelPlaceText(*label)) + ".";
        }
        if (offset >= kAddressSpace || offset + kAddressSpace < layout.bytes) {
            tip += "\nLoaded more than once: the block holds more than 64K.";
        }
    } else {
        tip += "\nNot in the block.";
    }
    for (const std::string& marker : markers) {
        tip += "\n" + marker;
    }
    return WrapLines(tip);
}

}  // namespace

std::string BlockMapToolTip(const MappedBlock* block, const BlockMapGeometry& geometry, int x, int y)
{
    const bool detail = y >= geometry.DetailTop();
    if (detail && (block == nullptr || block->layout.bytes == 0)) {
        return "No block loaded.";
    }
    const std::vector<Marker> markers = block ? MarkersOf(*block, geometry, detail) : std::vector<Marker>();
    const Reach reach = Reached(markers, x);
    if (reach.nearest != nullptr) {
        return Tip(block, reach.nearest->address, reach.nearest->offset, reach.texts);
    }
    if (detail) {
        const std::int64_t offset = geometry.DetailOffsetAt(block->layout, x);
        return Tip(block, block->layout.LoadAddress(offset), offset, reach.texts);
    }
    const std::int32_t address = geometry.AddressShownAt(x, block ? &block->layout : nullptr);
    return Tip(block, address, block ? OffsetOf(block->layout, address) : 0, reach.texts);
}

std::vector<std::int32_t> CursorStops(const MappedBlock* block)
{
    std::vector<std::int32_t> stops{0x0000, 0x4000, 0x8000, 0xC000, 0xFFFF};
    if (block != nullptr) {
        const BlockLayout& layout = block->layout;
        for (const AddressRange& range : LoadedRanges(layout)) {
            stops.insert(stops.end(), {range.first, range.last});
        }
        stops.insert(stops.end(), {block->ent, block->sp});
        for (std::size_t run = 1; run < layout.runs.size(); ++run) {
            stops.push_back(layout.LoadAddress(layout.runs[run].offset));
        }
    }
    std::sort(stops.begin(), stops.end());
    stops.erase(std::unique(stops.begin(), stops.end()), stops.end());
    return stops;
}

std::int32_t NextCursorStop(const MappedBlock* block, std::int32_t address, int step)
{
    const std::vector<std::int32_t> stops = CursorStops(block);
    if (step > 0) {
        const auto after = std::upper_bound(stops.begin(), stops.end(), address);
        return after != stops.end() ? *after : address;
    }
    const auto at = std::lower_bound(stops.begin(), stops.end(), address);
    return at != stops.begin() ? *(at - 1) : address;
}

std::string CursorToolTip(const MappedBlock* block, const BlockMapGeometry& geometry, std::int32_t address)
{
    // The markers at that very address, not those its pixel column shows besides.
    std::vector<Marker> markers = block ? MarkersOf(*block, geometry, false) : std::vector<Marker>();
    markers.erase(std::remove_if(markers.begin(), markers.end(),
                                 [address](const Marker& marker) { return marker.address != address; }),
                  markers.end());
    return Tip(block, address, block ? OffsetOf(block->layout, address) : 0,
               Reached(markers, geometry.XOf(address)).texts);
}

std::string BlockMapDescription(const MappedBlock* block)
{
    std::string text = "The 64K address space in its four 16K pages, and below it the block's own bytes. ";
    if (block == nullptr || block->layout.bytes == 0) {
        return text + "No block loaded.";
    }
    const BlockLayout& layout = block->layout;
    const std::vector<AddressRange> ranges = LoadedRanges(layout);
    text += "The block's " + std::to_string(layout.bytes) + " bytes ";
    if (layout.Over64K()) {
        text += "fill the whole 64K from " + Hex4(layout.start) + ", the last " +
                std::to_string(layout.bytes - kAddressSpace) + " of them loading over the first ones again. ";
    } else if (ranges.size() == 1) {
        text += "load at " + Hex4(ranges[0].first) + " to " + Hex4(ranges[0].last) + ". ";
    } else {
        text += "load in two pieces: " + Hex4(ranges[0].first) + " to " + Hex4(ranges[0].last) + ", and " +
                Hex4(ranges[1].first) + " to " + Hex4(ranges[1].last) + ". ";
    }
    const auto inside = [&](std::int32_t address) {
        return OffsetOf(layout, address) < layout.bytes ? ", inside the block" : ", outside the block";
    };
    text += "ENT is " + Hex4(block->ent) + inside(block->ent) + "; SP is " + Hex4(block->sp) +
            inside(block->sp) + ".";
    const std::size_t places = layout.runs.size() - 1;
    if (places == 0) {
        return text + " Every dump line follows on from the bytes before it.";
    }
    text += places == 1
                ? " 1 dump line does not follow on from the bytes before it: "
                : " " + std::to_string(places) + " dump lines do not follow on from the bytes before them: ";
    for (std::size_t run = 1; run <= places && run <= kMostPlaces; ++run) {
        text += std::string(run > 1 ? "; " : "") + "the line at " + Hex4(layout.runs[run].address) +
                " loads at " + Hex4(layout.LoadAddress(layout.runs[run].offset));
    }
    if (places > kMostPlaces) {
        text += "; and " + std::to_string(places - kMostPlaces) + " more";
    }
    return text + ".";
}
