#include "model/HexText.h"

#include "model/TextUtil.h"

void AppendHexBytes(std::string_view text, std::vector<std::uint8_t>& out)
{
    text = TrimSpaces(text);
    while (!text.empty()) {
        out.push_back(static_cast<std::uint8_t>(HexValue(text.substr(0, 2))));
        // Two digits and one separator per byte.
        text.remove_prefix(text.size() < 3 ? text.size() : 3);
    }
}

std::vector<std::uint8_t> HexToBytes(std::string_view text)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 3 + 1);
    AppendHexBytes(text, bytes);
    return bytes;
}
