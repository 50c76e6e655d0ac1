#include "model/BlockBytes.h"

#include "model/HexSsse3.h"
#include "model/HexText.h"

#include <string_view>

namespace {

std::uint8_t* WriteBlockBytesByPairs(const DumpList& lines, std::uint8_t* to)
{
    for (int i = 0; i < lines.Count(); ++i) {
        to = WriteHexBytes(LineByteText(lines.Line(i)), to);
    }
    return to;
}

}  // namespace

std::size_t BlockBytesBound(const DumpList& lines)
{
    return lines.TextSize() / 3 + static_cast<std::size_t>(lines.Count());
}

std::uint8_t* WriteBlockBytes(const DumpList& lines, std::uint8_t* to)
{
    if (CanUseSsse3()) {
        return WriteBlockBytesSsse3(lines, to);
    }
    return WriteBlockBytesByPairs(lines, to);
}
