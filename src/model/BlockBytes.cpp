#include "model/BlockBytes.h"

#include "model/HexSsse3.h"
#include "model/HexText.h"
#include "model/TextUtil.h"

namespace {

std::uint8_t* WriteWholeLinesByPairs(const DumpList& lines, int& line, std::uint8_t* to,
                                     const std::uint8_t* end)
{
    for (; line < lines.Count(); ++line) {
        const std::string_view text = lines.Line(line);
        if (LineBytesBound(text) > static_cast<std::size_t>(end - to)) {
            break;
        }
        to = WriteHexBytes(LineByteText(text), to);
    }
    return to;
}

}  // namespace

std::size_t BlockBytesBound(const DumpList& lines)
{
    return lines.TextSize() / 3 + static_cast<std::size_t>(lines.Count());
}

std::uint8_t* WriteBlockBytes(const DumpList& lines, BlockBytesCursor& at, std::uint8_t* to,
                              const std::uint8_t* end)
{
    const bool ssse3 = CanUseSsse3();
    while (at.line < lines.Count() && to < end) {
        if (at.pair == 0) {
            to = ssse3 ? WriteWholeLinesSsse3(lines, at.line, to, end)
                       : WriteWholeLinesByPairs(lines, at.line, to, end);
            if (at.line == lines.Count() || to == end) {
                break;
            }
        }
        // A line that may not fit in what room is left: its bytes a pair at a time, as far
        // as they go, the rest in the next piece.
        const std::string_view text = TrimSpaces(LineByteText(lines.Line(at.line)));
        const std::size_t count = (text.size() + 2) / 3;
        for (; at.pair < count && to < end; ++at.pair) {
            *to++ = static_cast<std::uint8_t>(HexPairAt(text, 3 * at.pair));
        }
        if (at.pair == count) {
            ++at.line;
            at.pair = 0;
        }
    }
    return to;
}
