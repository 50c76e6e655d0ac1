#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Hex text: the one hex value rule used for every field the program reads, hex
// formatting, and the conversions between the text forms of bytes. Pure functions.

namespace hex_detail {

// The value of every byte as a hex digit: 0 to 15, or -1 for a byte that is not one. Read
// once per character of every record and dump line, so a table rather than comparisons.
struct DigitTable {
    signed char value[256];
    constexpr DigitTable() : value()
    {
        for (int c = 0; c < 256; ++c) {
            value[c] = static_cast<signed char>(c >= '0' && c <= '9'   ? c - '0'
                                                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                                       : -1);
        }
    }
};
inline constexpr DigitTable kDigits;

// Every two characters as the byte they read as a hex pair, with a bit above the byte
// (0x100) where either is not a hex digit; the first character is the low eight bits of
// the index. 128K, defined once in HexText.cpp; the block's loops touch only the few
// lines of it that hold pairs of digits.
struct PairValueTable {
    std::uint16_t value[1 << 16];
    constexpr PairValueTable() : value()
    {
        for (int i = 0; i < (1 << 16); ++i) {
            const int high = kDigits.value[i & 0xFF];
            const int low = kDigits.value[i >> 8];
            value[i] = static_cast<std::uint16_t>(high < 0 || low < 0 ? 0x100 : high * 16 + low);
        }
    }
};
extern const PairValueTable kPairValues;

// Every byte as its two upper-case hex digits.
struct PairTextTable {
    char text[256][2];
    constexpr PairTextTable() : text()
    {
        for (int b = 0; b < 256; ++b) {
            text[b][0] = "0123456789ABCDEF"[b >> 4];
            text[b][1] = "0123456789ABCDEF"[b & 0xF];
        }
    }
};
inline constexpr PairTextTable kPairText;

// TrimSpaces, inline, for the loops over every dump line of a block, where the text
// rarely has a space to trim but the one before the first pair.
inline std::string_view TrimmedInPlace(std::string_view text)
{
    std::size_t first = 0;
    std::size_t end = text.size();
    while (first < end && text[first] == ' ') {
        ++first;
    }
    while (end > first && text[end - 1] == ' ') {
        --end;
    }
    return text.substr(first, end - first);
}

}  // namespace hex_detail

// The value of a hex digit, either case; -1 for any other character.
inline int HexDigitValue(char c)
{
    return hex_detail::kDigits.value[static_cast<unsigned char>(c)];
}

inline bool IsHexDigit(char c)
{
    return HexDigitValue(c) >= 0;
}

// The hex value rule: skip leading spaces, then take hex digits (either case) up to the
// first character that is not one and read them as an unsigned number. A field whose
// first character is neither a hex digit nor a space, and the empty field, read as 0.
// Fields are at most a few digits long; longer runs keep their low 32 bits.
std::uint32_t HexValue(std::string_view field);

// HexValue of a field of at most two characters, the form every byte takes in the text
// read ("C3", " 5", "7"), worked out without a loop: it runs once per byte of a block.
inline std::uint32_t HexPairValue(std::string_view pair)
{
    const int high = pair.empty() ? -1 : HexDigitValue(pair[0]);
    const int low = pair.size() < 2 ? -1 : HexDigitValue(pair[1]);
    if ((high | low) >= 0) {
        return static_cast<std::uint32_t>(high * 16 + low);  // two digits, by far the most common
    }
    if (high < 0) {
        // A leading space is skipped; any other character ends the digits at once.
        return pair.size() == 2 && pair[0] == ' ' && low >= 0 ? static_cast<std::uint32_t>(low) : 0;
    }
    return static_cast<std::uint32_t>(high);  // one digit, then the end or a character that is not one
}

// HexPairValue of the (at most) two characters of `text` from `at`, which lies inside it.
inline std::uint32_t HexPairAt(std::string_view text, std::size_t at)
{
    const std::size_t left = text.size() - at;
    return HexPairValue(std::string_view(text.data() + at, left < 2 ? left : 2));
}

// The upper-case hex digit of the low four bits of `value`.
inline char UpperHexDigitOf(std::uint32_t value)
{
    return "0123456789ABCDEF"[value & 0xF];
}

// Set in HexPairBitsAt when either character is not a hex digit.
inline constexpr std::uint32_t kNotHexPair = 0x100;

// The two characters at `pair` as a hex pair (either case): the byte in the low eight
// bits, and kNotHexPair set when either is not a hex digit. One table look and no branch,
// for the loops that read every byte of a block and check all its pairs at once.
inline std::uint32_t HexPairBitsAt(const char* pair)
{
    return hex_detail::kPairValues.value[static_cast<unsigned char>(pair[0]) |
                                         static_cast<unsigned>(static_cast<unsigned char>(pair[1])) << 8];
}

// Writes the low eight bits of `byte` as two upper-case hex digits.
inline void WriteHexPair(std::uint32_t byte, char* to)
{
    to[0] = hex_detail::kPairText.text[byte & 0xFF][0];
    to[1] = hex_detail::kPairText.text[byte & 0xFF][1];
}

// Upper-case hex without leading zeros, "0" for zero: "Org=&H8000", prompt defaults.
std::string FormatHex(std::uint32_t value);

// The four address digits of a dump line: the low 16 bits, upper case, zero padded.
std::string FormatHex4(std::uint32_t value);

// The address of a dump line: the hex value of its first four characters. Four hex
// digits, as nearly every line starts, take two table looks; anything else the full rule.
// Inline, with the two below: the loops over every line of a block use them.
inline std::int32_t LineAddress(std::string_view line)
{
    if (line.size() >= 4) {
        const std::uint32_t high = HexPairBitsAt(line.data());
        const std::uint32_t low = HexPairBitsAt(line.data() + 2);
        if (((high | low) & kNotHexPair) == 0) {
            return static_cast<std::int32_t>(high << 8 | low);
        }
    }
    // Four digits at most, so the value always fits and is never negative.
    return static_cast<std::int32_t>(HexValue(line.substr(0, 4)));
}

// The bytes of a dump line: its text from the sixth character on.
inline std::string_view LineByteText(std::string_view line)
{
    return line.size() > 5 ? line.substr(5) : std::string_view();
}

// Space-separated hex pairs ("C3 00 80") to bytes. Spaces around the text are ignored;
// after each pair exactly one separator is dropped, so a doubled space shifts the
// pairing, and a pair that does not start with a hex digit or a space reads as 00.
std::vector<std::uint8_t> HexToBytes(std::string_view text);

// The same, appending to `out` instead of returning a new byte string.
void AppendHexBytes(std::string_view text, std::vector<std::uint8_t>& out);

// The number of bytes HexToBytes makes of `text`, counted without making them: two
// characters and one separator per byte once spaces around the text are dropped.
inline std::size_t HexByteCount(std::string_view text)
{
    return (hex_detail::TrimmedInPlace(text).size() + 2) / 3;
}

// The most bytes a dump line can show, found from its length alone: one for every three
// characters and one more.
inline std::size_t LineBytesBound(std::string_view line)
{
    return line.size() / 3 + 1;
}

// HexToBytes written to `to`, which has room for HexByteCount(text) bytes; returns the
// end of what was written.
std::uint8_t* WriteHexBytes(std::string_view text, std::uint8_t* to);

// An unbroken digit run ("c30080") to upper-case pairs separated by single spaces
// ("C3 00 80"); an odd digit count leaves a single digit as the last group.
std::string SpaceHexPairs(std::string_view digits);

// The same, appending to `out` instead of returning a new text.
void AppendSpacedHexPairs(std::string_view digits, std::string& out);

// The Intel HEX checksum of a whole record line (":LLAAAATT...CC"): the low byte of the
// two's complement of the sum of the pairs between the start code and the checksum.
// The line must be at least three characters long.
int HexRecordChecksum(std::string_view record);
