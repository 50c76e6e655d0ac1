#include "model/HexText.h"

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

}  // namespace

std::uint32_t HexValue(std::string_view field)
{
    std::size_t i = 0;
    while (i < field.size() && field[i] == ' ') {
        ++i;
    }
    std::uint32_t value = 0;
    for (; i < field.size(); ++i) {
        const int digit = HexDigitValue(field[i]);
        if (digit < 0) {
            break;
        }
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return value;
}

std::string FormatHex(std::uint32_t value)
{
    char buffer[8];
    int length = 0;
    do {
        buffer[length++] = kDigits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    std::string text;
    text.reserve(static_cast<std::size_t>(length));
    while (length > 0) {
        text.push_back(buffer[--length]);
    }
    return text;
}

std::string FormatHex4(std::uint32_t value)
{
    return {kDigits[(value >> 12) & 0xF], kDigits[(value >> 8) & 0xF], kDigits[(value >> 4) & 0xF],
            kDigits[value & 0xF]};
}

std::int32_t LineAddress(std::string_view line)
{
    // Four digits at most, so the value always fits and is never negative.
    return static_cast<std::int32_t>(HexValue(line.substr(0, 4)));
}

std::string_view LineByteText(std::string_view line)
{
    return line.size() > 5 ? line.substr(5) : std::string_view();
}
