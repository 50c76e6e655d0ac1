#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Hex text: the one hex value rule used for every field the program reads, hex
// formatting, and the conversions between the text forms of bytes. Pure functions.

bool IsHexDigit(char c);

// The hex value rule: skip leading spaces, then take hex digits (either case) up to the
// first character that is not one and read them as an unsigned number. A field whose
// first character is neither a hex digit nor a space, and the empty field, read as 0.
// Fields are at most a few digits long; longer runs keep their low 32 bits.
std::uint32_t HexValue(std::string_view field);

// Upper-case hex without leading zeros, "0" for zero: "Org=&H8000", prompt defaults.
std::string FormatHex(std::uint32_t value);

// The four address digits of a dump line: the low 16 bits, upper case, zero padded.
std::string FormatHex4(std::uint32_t value);

// The address of a dump line: the hex value of its first four characters.
std::int32_t LineAddress(std::string_view line);

// The bytes of a dump line: its text from the sixth character on.
std::string_view LineByteText(std::string_view line);

// Space-separated hex pairs ("C3 00 80") to bytes. Spaces around the text are ignored;
// after each pair exactly one separator is dropped, so a doubled space shifts the
// pairing, and a pair that does not start with a hex digit or a space reads as 00.
std::vector<std::uint8_t> HexToBytes(std::string_view text);

// The same, appending to `out` instead of returning a new byte string.
void AppendHexBytes(std::string_view text, std::vector<std::uint8_t>& out);

// An unbroken digit run ("c30080") to upper-case pairs separated by single spaces
// ("C3 00 80"); an odd digit count leaves a single digit as the last group.
std::string SpaceHexPairs(std::string_view digits);

// The Intel HEX checksum of a whole record line (":LLAAAATT...CC"): the low byte of the
// two's complement of the sum of the pairs between the start code and the checksum.
// The line must be at least three characters long.
int HexRecordChecksum(std::string_view record);
