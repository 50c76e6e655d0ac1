#include "load/ReadIntelHex.h"

#include <cstdint>

namespace {

// ":" + count + address + type + checksum, without data.
constexpr std::size_t kRecordOverhead = 11;

// The record type of data records, and the one that ends an object file: ":00000001FF".
constexpr std::uint32_t kDataRecord = 0;
constexpr std::uint32_t kEndOfFileRecord = 1;

// The start code is there and the length matches the byte count exactly.
bool HasRecordForm(std::string_view record, std::size_t length, std::uint32_t count)
{
    return record[0] == ':' && length >= kRecordOverhead && (length - kRecordOverhead) % 2 == 0 &&
           (length - kRecordOverhead) / 2 == count;
}

ObjectRecord ReadIntelHexRecord(std::string_view record, std::size_t length, bool ssse3, char* line)
{
    ObjectRecord result;
    // Counted before the form is tested, whatever the record's type.
    const std::uint32_t count = HexPairAt(record, 1);
    result.blockBytes = count;
    if (!HasRecordForm(record, length, count)) {
        result.refusal = kInvalidObjectFileMessage;
        return result;
    }
    // Count, address and type: a table look per pair, and no branch on the digits.
    const char* pair = record.data() + 1;
    const std::uint32_t countBits = HexPairBitsAt(pair);
    const std::uint32_t addressHigh = HexPairBitsAt(pair + 2);
    const std::uint32_t addressLow = HexPairBitsAt(pair + 4);
    const std::uint32_t type = HexPairBitsAt(pair + 6);
    const PairsWritten data = WriteDumpLine(pair + 2, pair + 8, count, ssse3, line);
    const std::uint32_t checksum = HexPairBitsAt(pair + 8 + 2 * count);
    if (((countBits | addressHigh | addressLow | type | checksum) & kNotHexPair) != 0 || !data.allHex) {
        result.refusal = kInvalidObjectFileMessage;
        return result;
    }
    result.data = type == kDataRecord;
    result.dataBytes = count;
    // Only a data record's checksum is tested: the other records carry nothing the block takes.
    result.checksumMatches =
        !result.data || ((countBits + addressHigh + addressLow + type + data.sum + checksum) & 0xFF) == 0;
    result.endsFile = type == kEndOfFileRecord;
    return result;
}

}  // namespace

ReadOutcome ReadIntelHex(TextLineReader& reader, Document& doc, std::string_view first, LineFacts facts)
{
    return ReadRecords<ReadIntelHexRecord>(reader, doc, first, facts);
}
