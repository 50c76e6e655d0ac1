#include "window/BlockMapTips.h"

#include "convert/FollowOnWarnings.h"
#include "model/HexText.h"
#include "model/Page16K.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr std::int64_t kAddressSpace = 0x10000;

// How close, in pixels, the pointer must be to a marker for the tooltip to tell of it.
constexpr int kSnap = 3;

// At most this many places where a dump line does not follow on are told in one tooltip.
constexpr std::size_t kMostPlacesInTip = 5;

std::string Hex4(std::int64_t address)
{
    return FormatHex4(static_cast<std::uint32_t>(address));
}

// How far into the block the first byte loading at `address` lies (it may lie beyond the
// block's end).
std::int64_t OffsetOf(const BlockLayout& layout, std::int32_t address)
{
    return ((std::int64_t{address} - layout.start) % kAddressSpace + kAddressSpace) % kAddressSpace;
}

// The run that holds the byte `offset` bytes into the block.
const DumpLineRun& RunHolding(const BlockLayout& layout, std::int64_t offset)
{
    const auto after =
        std::upper_bound(layout.runs.begin(), layout.runs.end(), offset,
                         [](std::int64_t o, const DumpLineRun& run) { return o < run.offset; });
    return *(after - 1);
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += (text.empty() ? "" : "\n") + line;
    }
    return text;
}

}  // namespace

std::string BlockMapToolTip(const MappedBlock* block, const BlockMapGeometry& geometry, int x)
{
    // The markers within reach of the pointer: a pixel of the strip spans many addresses,
    // and ENT, SP and the places where a dump line does not follow on may share one.
    std::int32_t address = geometry.AddressAt(x);
    std::vector<std::string> markers;
    if (block != nullptr) {
        int nearest = kSnap + 1;
        const auto reach = [&](std::int32_t marker, const std::string& text) {
            const int distance = std::abs(geometry.XOf(marker) - x);
            if (distance > kSnap) {
                return;
            }
            if (distance < nearest) {
                nearest = distance;
                address = marker;
            }
            markers.push_back(text);
        };
        reach(block->ent, "ENT, the entry address: " + Hex4(block->ent) + ".");
        reach(block->sp, "SP, the initial stack pointer: " + Hex4(block->sp) + ".");
        const BlockLayout& layout = block->layout;
        std::size_t places = 0;
        for (std::size_t run = 1; run < layout.runs.size(); ++run) {
            const std::int32_t at = layout.LoadAddress(layout.runs[run].offset);
            if (std::abs(geometry.XOf(at) - x) <= kSnap && ++places > kMostPlacesInTip) {
                continue;
            }
            reach(at, "At " + Hex4(at) + ": " + NotFollowingOnText(layout, run));
        }
        if (places > kMostPlacesInTip) {
            markers.push_back("And " + std::to_string(places - kMostPlacesInTip) +
                              " more dump lines that do not follow on.");
        }
    }

    std::vector<std::string> tip{Hex4(address) + ", in the 16K page at " + Hex4(Page16K(address))};
    if (block == nullptr) {
        tip.push_back("No block loaded.");
        return Joined(tip);
    }
    const BlockLayout& layout = block->layout;
    const std::int64_t offset = OffsetOf(layout, address);
    if (offset < layout.bytes) {
        const DumpLineRun& run = RunHolding(layout, offset);
        const std::int64_t claimed = (run.address + offset - run.offset) & 0xFFFF;
        std::string byte =
            "Byte " + std::to_string(offset + 1) + " of the block's " + std::to_string(layout.bytes);
        if (claimed != address) {
            byte += ", which its dump line puts at " + Hex4(claimed);
        }
        tip.push_back(byte + ".");
        if (offset + kAddressSpace < layout.bytes) {
            tip.push_back("Loaded more than once: the block holds more than 64K.");
        }
    } else {
        tip.push_back("Not in the block.");
    }
    tip.insert(tip.end(), markers.begin(), markers.end());
    return Joined(tip);
}
