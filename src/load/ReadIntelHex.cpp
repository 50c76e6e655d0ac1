#include "load/ReadIntelHex.h"

#include "load/LoadMessages.h"
#include "load/TextLineReader.h"
#include "model/Document.h"
#include "model/HexSsse3.h"
#include "model/HexText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

// ":" + count + address + type + checksum, without data.
constexpr std::size_t kRecordOverhead = 11;
// The longest valid record carries 255 data bytes; reading one character more is
// enough to see that a longer line is invalid.
constexpr std::size_t kRecordKeep = kRecordOverhead + 2 * 255 + 1;

// The record type that ends an object file: ":00000001FF".
constexpr std::uint32_t kEndOfFileRecord = 1;

// The start code is there and the length matches the byte count exactly.
bool HasRecordForm(std::string_view record, std::size_t length, std::uint32_t count)
{
    return !record.empty() && record[0] == ':' && length >= kRecordOverhead &&
           (length - kRecordOverhead) % 2 == 0 && (length - kRecordOverhead) / 2 == count;
}

// The dump line of a data record of `count` bytes: "AAAA  C3 00 80", the address as
// written and the bytes as upper-case pairs with one space between.
std::size_t DumpLineLength(std::uint32_t count)
{
    return 6 + (count > 0 ? 3 * std::size_t{count} - 1 : 0);
}

// What one pass over a record of the record form finds. Every field (count, address,
// type, data and checksum) must be hex digits: a space or other character would read as
// 0 under the hex value rule, so a corrupt record such as one with " 0" for "00" would
// pass its checksum and be saved as bytes it does not show.
struct RecordFields {
    bool allHex;
    std::uint32_t type;
    bool checksumMatches;  // the pairs after the start code, checksum included, sum to 0 mod 256
};

// Reads a record of `count` data bytes and the record form, and writes the dump line it
// makes if it is a data record to `line`, which has room for DumpLineLength(count) + 1
// characters (each pair is written with a space after it, the last one too): written
// before the record is known to be one, and taken only if it is. With `ssse3`, the data
// is read 16 bytes a step.
RecordFields ReadRecord(std::string_view record, std::uint32_t count, bool ssse3, char* line)
{
    const char* pair = record.data() + 1;
    // Count, address and type: a table look per pair, and no branch on the digits.
    const std::uint32_t countBits = HexPairBitsAt(pair);
    const std::uint32_t addressHigh = HexPairBitsAt(pair + 2);
    const std::uint32_t addressLow = HexPairBitsAt(pair + 4);
    const std::uint32_t type = HexPairBitsAt(pair + 6);
    std::uint32_t invalid = countBits | addressHigh | addressLow | type;
    std::uint32_t sum = countBits + addressHigh + addressLow + type;
    std::memcpy(line, record.data() + 3, 4);
    line[4] = ' ';
    line[5] = ' ';
    char* to = line + 6;
    pair += 8;
    std::uint32_t done = 0;
    if (ssse3 && count >= 16) {
        const std::uint32_t groups = count / 16;
        if (!SpacePairsSsse3(pair, groups, to, sum)) {
            invalid |= kNotHexPair;
        }
        done = 16 * groups;
        pair += 32 * groups;
        to += 48 * groups;
    }
    for (; done < count; ++done, pair += 2, to += 3) {
        const std::uint32_t value = HexPairBitsAt(pair);
        invalid |= value;
        sum += value;
        WriteHexPair(value, to);
        to[2] = ' ';
    }
    const std::uint32_t checksum = HexPairBitsAt(pair);
    invalid |= checksum;
    sum += checksum;
    return {(invalid & kNotHexPair) == 0, type & 0xFF, (sum & 0xFF) == 0};
}

// Room in the dump list for the dump lines an object file of this size may give: each
// record of 16 bytes (44 characters with its line end) becomes a dump line of 53, and no
// more than the longest list of such lines takes. Every record is formatted into the
// room after the last line before it is known to be a data record, so there is room for
// the longest dump line besides.
void ReserveForObjectFile(DumpList& lines, std::uint64_t fileSize)
{
    constexpr std::uint64_t kFullList = std::uint64_t{DumpList::kMaxLines} * 53;
    const std::uint64_t text = std::min(fileSize / 4 * 5, kFullList);
    lines.Reserve(static_cast<std::size_t>(text) + DumpLineLength(255) + 1, static_cast<int>(text / 53) + 1);
}

}  // namespace

ReadOutcome ReadIntelHex(TextLineReader& reader, Document& doc)
{
    // Summed wide: a file of many skipped records must not overflow the count.
    std::int64_t blockBytes = 0;
    std::string_view text;
    LineFacts facts;
    ReserveForObjectFile(doc.lines, reader.SizeWhenOpened());
    const bool ssse3 = CanUseSsse3();
    bool endSeen = false;
    while (reader.Next(text, facts, kRecordKeep, kRecordKeep)) {
        if (facts.blank) {
            continue;
        }
        const std::uint32_t count = HexPairValue(text.substr(1, 2));
        blockBytes = std::min<std::int64_t>(blockBytes + count, INT32_MAX);
        doc.state.BlockBytes = static_cast<std::int32_t>(blockBytes);

        if (!HasRecordForm(text, facts.length, count)) {
            doc.frontEnd.ShowMessageAtLine(reader.LineNumber(), kInvalidObjectFileMessage, Icon::Warning);
            return ReadOutcome::Aborted;
        }
        const std::size_t length = DumpLineLength(count);
        const RecordFields fields = ReadRecord(text, count, ssse3, doc.lines.Room(length + 1));
        if (!fields.allHex) {
            doc.frontEnd.ShowMessageAtLine(reader.LineNumber(), kInvalidObjectFileMessage, Icon::Warning);
            return ReadOutcome::Aborted;
        }
        if (fields.type != 0) {
            // End-of-file, extended-address and other records carry no block bytes.
            endSeen = endSeen || fields.type == kEndOfFileRecord;
            continue;
        }
        if (!doc.lines.AppendWritten(length)) {
            ReportTooManyLines(doc, reader.LineNumber());
            return ReadOutcome::Aborted;
        }
        // The failing record stays the last line of the list while the message shows.
        if (!fields.checksumMatches) {
            doc.frontEnd.ShowMessageAtLine(reader.LineNumber(), kChecksumFailedMessage, Icon::Warning);
            doc.lines.Clear();
            return ReadOutcome::Aborted;
        }
    }
    if (reader.Failed()) {
        return ReadOutcome::Failed;
    }
    return endSeen ? ReadOutcome::Finished : ReadOutcome::FinishedWithoutEnd;
}
