#include "model/HexText.h"

#include "model/TextUtil.h"

void AppendHexBytes(std::string_view text, std::vector<std::uint8_t>& out)
{
    text = TrimSpaces(text);
    // Two digits and one separator per byte; the last byte may have no separator, or
    // only one digit.
    const std::size_t count = (text.size() + 2) / 3;
    const std::size_t start = out.size();
    out.resize(start + count);
    for (std::size_t i = 0; i < count; ++i) {
        out[start + i] = static_cast<std::uint8_t>(HexPairAt(text, 3 * i));
    }
}

std::vector<std::uint8_t> HexToBytes(std::string_view text)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 3 + 1);
    AppendHexBytes(text, bytes);
    return bytes;
}
