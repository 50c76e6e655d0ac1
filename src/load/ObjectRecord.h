#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// What the readers of the three object file forms (Intel HEX, Motorola S-records, MOS
// Technology hex) share: what one record tells the loop over the file, and how a data
// record's dump line is written.

// The longest record any form allows carries 255 bytes after its count (Intel HEX: ":",
// count, address, type, 255 data bytes, checksum: 521 characters). A line is kept one
// character longer than that, enough to see that a longer one is invalid.
inline constexpr std::size_t kRecordKeep = 11 + 2 * 255 + 1;

// The dump line of a data record of `count` bytes: "AAAA  C3 00 80", the address as
// written and the bytes as upper-case pairs with one space between.
inline constexpr std::size_t DumpLineLength(std::uint32_t count)
{
    return 6 + (count > 0 ? 3 * std::size_t{count} - 1 : 0);
}

// A record is read into the room after the last dump line before it is known to be a data
// record: this much room holds the dump line of any record, each pair written with a
// space after it, the last one too.
inline constexpr std::size_t kRecordRoom = DumpLineLength(255) + 1;

// What one record line is, as its form's reader finds it.
struct ObjectRecord {
    const char* refusal = nullptr;  // the message the load is aborted with; null for a record of sound form
    std::uint32_t blockBytes = 0;   // what the record adds to BlockBytes
    bool data = false;              // a data record: its dump line is written
    std::uint32_t dataBytes = 0;    // a data record's bytes; its dump line is DumpLineLength of them
    bool checksumMatches = false;   // a data record's checksum is right
    std::int32_t recordCount = -1;  // a count record's count of the data records before it; -1 for none
    bool endsFile = false;          // an end-of-file or termination record
    bool stopsReading = false;      // nothing after the record is read: a termination record
};

// Reads one non-blank record line of the full `length` (`record` holds at least its first
// kRecordKeep characters) into what it is, writing the dump line it would make to `line`,
// which has room for kRecordRoom characters. With `ssse3` (CanUseSsse3()), the data is
// read 16 bytes a step.
using ReadRecordFn = ObjectRecord (*)(std::string_view record, std::size_t length, bool ssse3, char* line);

// What writing a data record's pairs found: the sum of their values, and whether every
// pair was two hex digits (a space or other character would read as 0 under the hex value
// rule, so a corrupt record such as one with " 0" for "00" would pass its checksum and be
// saved as bytes it does not show).
struct PairsWritten {
    std::uint32_t sum;
    bool allHex;
};

// Writes the dump line of a record to `line`: the four characters at `address` as
// written, two spaces, then the `count` pairs of hex digits (either case) at `data` as
// upper-case pairs, each followed by a space (the last one too). `line` has room for
// DumpLineLength(count) + 1 characters.
PairsWritten WriteDumpLine(const char* address, const char* data, std::uint32_t count, bool ssse3,
                           char* line);
