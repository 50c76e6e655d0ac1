#include "window/BlockMapTips.h"

#include "convert/ConsoleFrontEnd.h"
#include "convert/FollowOnWarnings.h"
#include "edit/Labels.h"
#include "model/HexText.h"
#include "model/Page16K.h"
#include "window/TextWrap.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace {

constexpr std::int64_t kAddressSpace = 0x10000;

// At most this many places where a dump line does not follow on are told in one tooltip,
// or in the map's description.
constexpr std::size_t kMostPlaces = 5;

std::string Hex4(std::int64_t address)
{
    return FormatHex4(static_cast<std::uint32_t>(address));
}

// A marker a tooltip may tell of: ENT or SP, a triangle above the strip, or a place where a
// dump line does not follow on, a tick on the strip; drawn at the column `x` of the row the
// pointer is over.
struct Marker {
    int x;
    std::int32_t address;
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
            markers.push_back({*x, address, std::move(text), false});
        }
    };
    addressMarker(block.ent, "ENT, the entry address: " + Hex4(block.ent) + ".");
    addressMarker(block.sp, "SP, the initial stack pointer: " + Hex4(block.sp) + ".");
    for (std::size_t run = 1; run < layout.runs.size(); ++run) {
        const std::int64_t offset = layout.runs[run].offset;
        const std::int32_t at = layout.LoadAddress(offset);
        markers.push_back({detail ? geometry.DetailXOf(layout, offset) : geometry.XOf(at), at,
                           "At " + Hex4(at) + ": " + NotFollowingOnText(layout, run), true});
    }
    return markers;
}

// Whether the point (x, y) is on the marker's own pixels: a triangle's columns in the row
// above `strip`, or a tick's two columns on the strip.
bool OnMarker(const Marker& marker, const BlockMapGeometry& geometry, const PixelRect& strip, int x, int y)
{
    if (marker.place) {
        return y >= strip.top && y <= strip.Bottom() && x >= marker.x - 1 && x <= marker.x;
    }
    const int size = geometry.MarkerSize();
    return y < strip.top && y >= strip.top - strip.height && x >= marker.x - size && x <= marker.x + size;
}

// The texts of the markers `reached` says, at most kMostPlaces of the places and then how
// many more.
std::vector<std::string> TextsOf(const std::vector<Marker>& markers,
                                 const std::function<bool(const Marker&)>& reached)
{
    std::vector<std::string> texts;
    std::size_t places = 0;
    for (const Marker& marker : markers) {
        if (reached(marker) && (!marker.place || ++places <= kMostPlaces)) {
            texts.push_back(marker.text);
        }
    }
    if (places > kMostPlaces) {
        texts.push_back("And " + std::to_string(places - kMostPlaces) +
                        " more dump lines that do not follow on.");
    }
    return texts;
}

// What is at `address`, the byte `offset` bytes into the block (if it is in it), and the
// markers there, a line each.
std::string Tip(const MappedBlock* block, std::int32_t address, std::int64_t offset,
                const std::vector<std::string>& markers)
{
    std::string tip = Hex4(address) + ", in the 16K page at " + Hex4(Page16K(address));
    if (block == nullptr) {
        return tip + "\nNo block loaded.";
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
    return tip;
}

// What the cursor at `address` shows, a line each: that very address, and the markers
// there alone, not those its pixel column shows besides.
std::string CursorTip(const MappedBlock* block, const BlockMapGeometry& geometry, std::int32_t address)
{
    const std::vector<Marker> markers = block ? MarkersOf(*block, geometry, false) : std::vector<Marker>();
    return Tip(block, address, block ? OffsetOf(block->layout, address) : 0,
               TextsOf(markers, [address](const Marker& marker) { return marker.address == address; }));
}

}  // namespace

std::string BlockMapToolTip(const MappedBlock* block, const BlockMapGeometry& geometry, int x, int y)
{
    const bool detail = y >= geometry.DetailTop();
    if (detail && (block == nullptr || block->layout.bytes == 0)) {
        return "No block loaded.";
    }
    const std::vector<Marker> markers = block ? MarkersOf(*block, geometry, detail) : std::vector<Marker>();
    const PixelRect& strip = detail ? geometry.DetailStrip() : geometry.Strip();
    const std::vector<std::string> texts =
        TextsOf(markers, [&](const Marker& marker) { return OnMarker(marker, geometry, strip, x, y); });
    if (detail) {
        const std::int64_t offset = geometry.DetailOffsetAt(block->layout, x);
        return WrapLines(Tip(block, block->layout.LoadAddress(offset), offset, texts));
    }
    const std::int32_t address = geometry.AddressShownAt(x, block ? &block->layout : nullptr);
    return WrapLines(Tip(block, address, block ? OffsetOf(block->layout, address) : 0, texts));
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
    return WrapLines(CursorTip(block, geometry, address));
}

std::string BlockMapSpokenName(const MappedBlock* block, const BlockMapGeometry& geometry,
                               std::int32_t address)
{
    // The tooltip's lines as sentences: its first, the address and page, has no full stop.
    std::string said = CursorTip(block, geometry, address);
    said.replace(said.find('\n'), 1, ". ");
    std::replace(said.begin(), said.end(), '\n', ' ');
    return std::string(kBlockMapName) + ": " + said;
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
