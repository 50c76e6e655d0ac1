// The hex text functions on any text, against what each one promises: the hex value
// rule, the pairing of HexToBytes, SpaceHexPairs giving back the digits it was given, and
// a record checksum that makes a record's pairs sum to a multiple of 256.

#include "FuzzSupport.h"
#include "model/HexText.h"
#include "model/TextUtil.h"

#include <algorithm>

namespace {

// The hex value rule written out the long way.
std::uint32_t ModelHexValue(std::string_view field)
{
    std::size_t i = field.find_first_not_of(' ');
    std::uint64_t value = 0;
    for (; i < field.size() && IsHexDigit(field[i]); ++i) {
        const char c = ToUpperAscii(field[i]);
        value = value * 16 + static_cast<std::uint64_t>(c <= '9' ? c - '0' : c - 'A' + 10);
    }
    return static_cast<std::uint32_t>(value);
}

bool AllHex(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), IsHexDigit);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    FUZZ_CHECK(HexValue(text) == ModelHexValue(text));
    FUZZ_CHECK(HexPairValue(text.substr(0, 2)) == ModelHexValue(text.substr(0, 2)));
    const std::uint32_t value = HexValue(text);
    FUZZ_CHECK(HexValue(FormatHex(value)) == value);
    FUZZ_CHECK(FormatHex(value).size() == 1 || FormatHex(value)[0] != '0');
    FUZZ_CHECK(HexValue(FormatHex4(value)) == (value & 0xFFFF));
    FUZZ_CHECK(LineAddress(text) == static_cast<std::int32_t>(ModelHexValue(text.substr(0, 4))));

    // Two characters and one separator per byte, each byte the value of its pair.
    const std::string_view trimmed = TrimSpaces(text);
    const std::vector<std::uint8_t> bytes = HexToBytes(text);
    FUZZ_CHECK(bytes.size() == (trimmed.size() + 2) / 3);
    FUZZ_CHECK(HexByteCount(text) == bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        FUZZ_CHECK(bytes[i] == (ModelHexValue(trimmed.substr(3 * i, 2)) & 0xFF));
    }

    // Pairs and back: the digits come back upper-cased, one byte for each pair.
    const std::string pairs = SpaceHexPairs(text);
    FUZZ_CHECK(pairs.size() == trimmed.size() + (trimmed.empty() ? 0 : (trimmed.size() - 1) / 2));
    std::string digits;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (i % 3 == 2) {
            FUZZ_CHECK(pairs[i] == ' ');
        } else {
            digits.push_back(pairs[i]);
        }
    }
    FUZZ_CHECK(digits == ToUpperAscii(trimmed));
    if (AllHex(trimmed) && trimmed.size() % 2 == 0) {
        const std::vector<std::uint8_t> again = HexToBytes(pairs);
        FUZZ_CHECK(again.size() == trimmed.size() / 2);
        for (std::size_t i = 0; i < again.size(); ++i) {
            FUZZ_CHECK(again[i] == ModelHexValue(trimmed.substr(2 * i, 2)));
        }
    }

    // The checksum completes the sum of the record's pairs to a multiple of 256.
    if (text.size() >= 3) {
        const int checksum = HexRecordChecksum(text);
        FUZZ_CHECK(checksum >= 0 && checksum <= 255);
        std::uint32_t sum = static_cast<std::uint32_t>(checksum);
        const std::string_view fields = text.substr(1, text.size() - 3);
        for (std::size_t i = 0; i < fields.size(); i += 2) {
            sum += ModelHexValue(fields.substr(i, 2));
        }
        FUZZ_CHECK(sum % 256 == 0);
    }
    return 0;
}
