#include "window/BlockSearch.h"

#include "model/BlockLayout.h"
#include "model/DumpList.h"
#include "model/HexText.h"

#include <algorithm>

namespace {

// At most this many pieces are named in LineRangesText.
constexpr std::size_t kMostRanges = 4;

std::string Hex4(std::int64_t address)
{
    return FormatHex4(static_cast<std::uint32_t>(address));
}

// The block's bytes, and where each dump line's bytes start among them, the end after the
// last line's.
struct BlockBytesAndLines {
    std::vector<std::uint8_t> bytes;
    std::vector<std::int64_t> lineStarts;

    explicit BlockBytesAndLines(const DumpList& lines)
    {
        const int count = lines.Count();
        lineStarts.reserve(static_cast<std::size_t>(count) + 1);
        for (int i = 0; i < count; ++i) {
            lineStarts.push_back(static_cast<std::int64_t>(bytes.size()));
            AppendHexBytes(LineByteText(lines.Line(i)), bytes);
        }
        lineStarts.push_back(static_cast<std::int64_t>(bytes.size()));
    }

    // The line whose bytes hold the byte at `offset`.
    int LineOf(std::int64_t offset) const
    {
        return static_cast<int>(std::upper_bound(lineStarts.begin(), lineStarts.end(), offset) -
                                lineStarts.begin()) -
               1;
    }

    std::int64_t Size() const { return static_cast<std::int64_t>(bytes.size()); }
};

}  // namespace

std::optional<BlockSpot> LineHolding(const DumpList& lines, std::int32_t address)
{
    std::int64_t offset = 0;
    const int count = lines.Count();
    for (int i = 0; i < count; ++i) {
        const std::string_view line = lines.Line(i);
        const auto bytes = static_cast<std::int64_t>(HexByteCount(LineByteText(line)));
        const std::int64_t into = (std::int64_t{address} - LineAddress(line)) & 0xFFFF;
        if (into < bytes) {
            return BlockSpot{i, offset + into};
        }
        offset += bytes;
    }
    return std::nullopt;
}

std::string LineRangesText(const DumpList& lines)
{
    const BlockLayout layout = LayOutBlock(lines, 0);
    std::string text;
    for (std::size_t run = 0; run < layout.runs.size() && run < kMostRanges; ++run) {
        text += (run > 0 ? ", " : "") + Hex4(layout.runs[run].address) + "-" +
                Hex4(layout.runs[run].LastByteAddress());
    }
    if (layout.runs.size() > kMostRanges) {
        text += " and " + std::to_string(layout.runs.size() - kMostRanges) + " more pieces";
    }
    return text;
}

std::optional<FoundBytes> FindInBlock(const DumpList& lines, const std::vector<std::uint8_t>& pattern,
                                      int current, SearchDirection direction)
{
    if (pattern.empty()) {
        return std::nullopt;
    }
    current = std::clamp(current, -1, lines.Count() - 1);
    const BlockBytesAndLines block(lines);
    const auto begin = block.bytes.begin();
    const auto length = static_cast<std::int64_t>(pattern.size());
    // Runs that start before `from` fit in the bytes up to from + the pattern's length - 1.
    const auto upTo = [&](std::int64_t from) { return begin + std::min(block.Size(), from + length - 1); };
    // A run in [first, last) that is the first (forward) or the last (backward) there.
    const auto seek = [&](auto first, auto last) -> std::optional<std::int64_t> {
        if (first >= last) {
            return std::nullopt;
        }
        const auto found = direction == SearchDirection::Forward
                               ? std::search(first, last, pattern.begin(), pattern.end())
                               : std::find_end(first, last, pattern.begin(), pattern.end());
        return found != last ? std::optional<std::int64_t>(found - begin) : std::nullopt;
    };

    std::optional<std::int64_t> at;
    bool wrapped = false;
    if (direction == SearchDirection::Forward) {
        const std::int64_t from = block.lineStarts[static_cast<std::size_t>(current + 1)];
        at = seek(begin + from, block.bytes.end());
        if (!at && from > 0) {
            at = seek(begin, upTo(from));
            wrapped = true;
        }
    } else {
        const int count = lines.Count();
        const std::int64_t before = block.lineStarts[static_cast<std::size_t>(current < 0 ? count : current)];
        at = seek(begin, upTo(before));
        if (!at && before < block.Size()) {
            at = seek(begin + before, block.bytes.end());
            wrapped = true;
        }
    }
    if (!at) {
        return std::nullopt;
    }
    return FoundBytes{block.LineOf(*at), block.LineOf(*at + length - 1), *at, wrapped};
}
