#pragma once

#include "load/LoadMessages.h"
#include "load/TextLineReader.h"
#include "model/Document.h"
#include "model/HexSsse3.h"
#include "model/HexText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// What the readers of the three object file forms (Intel HEX, Motorola S-records, MOS
// Technology hex) share: what one record tells, how a data record's dump line is written,
// and the loop over a file's records. The loop and the writing are here, inline, so that
// each form's record reader is compiled into its loop: they run once per record.

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
    bool data = false;              // a data record: its dump line is taken
    std::uint32_t dataBytes = 0;    // a data record's bytes; its dump line is DumpLineLength of them
    bool checksumMatches = false;   // the record's checksum is right, where its form checks it
    std::int32_t recordCount = -1;  // a count record's count of the data records before it; -1 for none
    bool endsFile = false;          // an end-of-file or termination record
    bool stopsReading = false;      // nothing after the record is read: a termination record
    bool endOfText = false;         // no record but the Ctrl-Z that DOS tools end a text with:
                                    // nothing after it is read
};

// A line that starts with Ctrl-Z: the end of a text to DOS, where nothing after it counts.
inline bool IsEndOfText(std::string_view record)
{
    return !record.empty() && record[0] == '\x1A';
}

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
// DumpLineLength(count) + 1 characters. With `ssse3` (CanUseSsse3()), the pairs are read
// 16 at a step.
inline PairsWritten WriteDumpLine(const char* address, const char* data, std::uint32_t count, bool ssse3,
                                  char* line)
{
    std::memcpy(line, address, 4);
    line[4] = ' ';
    line[5] = ' ';
    char* to = line + 6;
    std::uint32_t sum = 0;
    std::uint32_t invalid = 0;
    std::uint32_t done = 0;
    if (ssse3 && count >= 16) {
        const std::uint32_t groups = count / 16;
        if (!SpacePairsSsse3(data, groups, to, sum)) {
            invalid |= kNotHexPair;
        }
        done = 16 * groups;
        data += 32 * groups;
        to += 48 * groups;
    }
    // A table look per pair, and no branch on the digits.
    for (; done < count; ++done, data += 2, to += 3) {
        const std::uint32_t value = HexPairBitsAt(data);
        invalid |= value;
        sum += value;
        WriteHexPair(value, to);
        to[2] = ' ';
    }
    return {sum, (invalid & kNotHexPair) == 0};
}

// Shows `message` for the record at `line` and aborts the load; the dump list keeps the
// lines read before it, or is emptied.
ReadOutcome RefuseRecord(Document& doc, int line, const char* message, bool keepLines);

// Reads the rest of the file without looking at it, so that a file that changes while it
// is read is still refused, and its whole length is known.
void SkipRest(TextLineReader& reader);

// Reads the rest of the file after a termination record, as SkipRest does, and warns once
// where records follow it, which are not read (two files joined into one, say): lines of
// only white space are none, and a Ctrl-Z ends the text.
void SkipRestAfterEnd(TextLineReader& reader, Document& doc);

// "Records from line N on follow the end record and were not read."
std::string RecordsAfterEndMessage(int line);

// Reads a record of the full `length` (`record` holds at least its first kRecordKeep
// characters) into what it is, writing the dump line it would make to `line`, which has
// room for kRecordRoom characters; `ssse3` as for WriteDumpLine.
using ReadRecordFn = ObjectRecord (*)(std::string_view record, std::size_t length, bool ssse3, char* line);

// Reads the records of an object file from `record`, its first non-blank line (`facts`
// as the reader gave them), to the end or to a termination record, with the form's
// record reader: each data record becomes one dump line and its bytes go into BlockBytes.
// See ReadObjectFile for what is refused.
template <ReadRecordFn ReadRecord>
ReadOutcome ReadRecords(TextLineReader& reader, Document& doc, std::string_view record, LineFacts facts)
{
    // Summed wide: a file of many skipped records must not overflow the count.
    std::int64_t blockBytes = 0;
    const bool ssse3 = CanUseSsse3();
    bool endSeen = false;
    bool countLast = false;
    do {
        if (facts.blank) {
            continue;
        }
        const ObjectRecord read = ReadRecord(record, facts.length, ssse3, doc.lines.Room(kRecordRoom));
        blockBytes = std::min<std::int64_t>(blockBytes + read.blockBytes, INT32_MAX);
        doc.state.BlockBytes = static_cast<std::int32_t>(blockBytes);
        if (read.refusal != nullptr) {
            return RefuseRecord(doc, reader.LineNumber(), read.refusal, true);
        }
        if (read.endOfText) {
            SkipRest(reader);
            break;
        }
        if (read.data && !doc.lines.AppendWritten(DumpLineLength(read.dataBytes))) {
            ReportTooManyLines(doc, reader.LineNumber());
            return ReadOutcome::Aborted;
        }
        // A failing data record stays the last line of the list while the message shows.
        if (!read.checksumMatches) {
            return RefuseRecord(doc, reader.LineNumber(), kChecksumFailedMessage, false);
        }
        // Every data record is a dump line: the count of them is the list's.
        countLast = read.recordCount >= 0;
        if (countLast && read.recordCount != doc.lines.Count()) {
            return RefuseRecord(doc, reader.LineNumber(), kRecordCountMessage, true);
        }
        endSeen = endSeen || read.endsFile;
        if (read.stopsReading) {
            SkipRestAfterEnd(reader, doc);
            break;
        }
    } while (reader.Next(record, facts, kRecordKeep, kRecordKeep));
    if (reader.Failed()) {
        return ReadOutcome::Failed;
    }
    return endSeen || countLast ? ReadOutcome::Finished : ReadOutcome::FinishedWithoutEnd;
}
