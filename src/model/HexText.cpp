#include "model/HexText.h"

#include "model/TextUtil.h"

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

}  // namespace

namespace hex_detail {
constexpr PairValueTable kPairValues;
}  // namespace hex_detail

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

std::uint8_t* WriteHexBytes(std::string_view text, std::uint8_t* to)
{
    text = hex_detail::TrimmedInPlace(text);
    const std::size_t count = (text.size() + 2) / 3;
    if (count == 0) {
        return to;
    }
    // Every pair but perhaps the last has both its digits. They are read without a branch,
    // as a dump line's pairs nearly always are two hex digits; a line where one is not is
    // read again under the full hex value rule.
    const std::size_t whole = text.size() >= 3 * count - 1 ? count : count - 1;
    const char* pair = text.data();
    std::uint32_t invalid = 0;
    std::size_t i = 0;
    for (; i + 4 <= whole; i += 4, pair += 12) {
        const std::uint32_t a = HexPairBitsAt(pair);
        const std::uint32_t b = HexPairBitsAt(pair + 3);
        const std::uint32_t c = HexPairBitsAt(pair + 6);
        const std::uint32_t d = HexPairBitsAt(pair + 9);
        invalid |= a | b | c | d;
        to[i] = static_cast<std::uint8_t>(a);
        to[i + 1] = static_cast<std::uint8_t>(b);
        to[i + 2] = static_cast<std::uint8_t>(c);
        to[i + 3] = static_cast<std::uint8_t>(d);
    }
    for (; i < whole; ++i, pair += 3) {
        const std::uint32_t value = HexPairBitsAt(pair);
        invalid |= value;
        to[i] = static_cast<std::uint8_t>(value);
    }
    if ((invalid & kNotHexPair) != 0) {
        for (i = 0; i < whole; ++i) {
            to[i] = static_cast<std::uint8_t>(HexPairAt(text, 3 * i));
        }
    }
    if (whole < count) {
        to[whole] = static_cast<std::uint8_t>(HexPairAt(text, 3 * whole));
    }
    return to + count;
}

void AppendHexBytes(std::string_view text, std::vector<std::uint8_t>& out)
{
    const std::size_t start = out.size();
    out.resize(start + HexByteCount(text));
    WriteHexBytes(text, out.data() + start);
}

std::vector<std::uint8_t> HexToBytes(std::string_view text)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 3 + 1);
    AppendHexBytes(text, bytes);
    return bytes;
}

void AppendSpacedHexPairs(std::string_view digits, std::string& out)
{
    digits = TrimSpaces(digits);
    if (digits.empty()) {
        return;
    }
    // Written in place, a pair at a time: this runs for every record of an object file.
    const std::size_t size = digits.size();
    const std::size_t start = out.size();
    out.resize(start + size + (size - 1) / 2);
    char* to = &out[start];
    for (std::size_t i = 0; i < size; i += 2) {
        if (i > 0) {
            *to++ = ' ';
        }
        *to++ = ToUpperAscii(digits[i]);
        if (i + 1 < size) {
            *to++ = ToUpperAscii(digits[i + 1]);
        }
    }
}

std::string SpaceHexPairs(std::string_view digits)
{
    std::string pairs;
    AppendSpacedHexPairs(digits, pairs);
    return pairs;
}

int HexRecordChecksum(std::string_view record)
{
    // Drop the record's own checksum digits, then the ":" start code.
    std::string_view fields = record.substr(0, record.size() >= 2 ? record.size() - 2 : 0);
    if (!fields.empty()) {
        fields.remove_prefix(1);
    }
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < fields.size(); i += 2) {
        sum += HexPairAt(fields, i);
    }
    return static_cast<int>((256 - sum % 256) % 256);
}
