#include "model/BlockLayout.h"

#include "model/DumpList.h"
#include "model/HexText.h"

#include <algorithm>
#include <string_view>

namespace {

std::int32_t Low16(std::int64_t address)
{
    return static_cast<std::int32_t>(address & 0xFFFF);
}

}  // namespace

std::int32_t DumpLineRun::LastByteAddress() const
{
    return Low16(std::int64_t{address} + bytes - 1);
}

std::int32_t BlockLayout::LoadAddress(std::int64_t offset) const
{
    return Low16(start + offset);
}

BlockLayout LayOutBlock(const DumpList& lines, std::int32_t org)
{
    BlockLayout layout;
    layout.start = Low16(org);
    // The address a line must claim to follow on; none before the first line with bytes.
    std::int32_t followOn = -1;
    const int count = lines.Count();
    for (int i = 0; i < count; ++i) {
        const std::string_view line = lines.Line(i);
        // Counted, not parsed: this runs over every line after every load and Change ORG.
        const auto bytes = static_cast<std::int64_t>(HexByteCount(LineByteText(line)));
        if (bytes == 0) {
            continue;
        }
        const std::int32_t address = LineAddress(line);
        if (address != followOn) {
            layout.runs.push_back({i, address, layout.bytes, 0});
        }
        layout.runs.back().bytes += bytes;
        layout.bytes += bytes;
        followOn = Low16(address + bytes);
    }
    return layout;
}

std::vector<AddressRange> LoadedRanges(const BlockLayout& layout)
{
    if (layout.bytes == 0) {
        return {};
    }
    const std::int64_t last = layout.start + layout.bytes - 1;
    if (last <= 0xFFFF) {
        return {{layout.start, static_cast<std::int32_t>(last)}};
    }
    std::vector<AddressRange> ranges{{layout.start, 0xFFFF}};
    if (layout.start > 0) {
        // From 0000 on, up to the block's last byte or, past 64K, up to ORG.
        ranges.push_back(
            {0, static_cast<std::int32_t>(std::min<std::int64_t>(last - 0x10000, layout.start - 1))});
    }
    return ranges;
}
