#include "load/ReadMosHex.h"

#include <cstdint>

namespace {

// ";" + count + address + checksum, without data.
constexpr std::size_t kRecordOverhead = 11;

ObjectRecord ReadMosRecord(std::string_view record, std::size_t length, bool ssse3, char* line)
{
    ObjectRecord result;
    if (IsEndOfText(record)) {
        result.endOfText = true;
        return result;
    }
    result.refusal = kInvalidObjectFileMessage;
    const std::uint32_t count = HexPairAt(record, 1);
    if (record[0] != ';' || length < kRecordOverhead || (length - kRecordOverhead) % 2 != 0 ||
        (length - kRecordOverhead) / 2 != count) {
        return result;
    }
    const char* pair = record.data() + 1;
    const std::uint32_t countBits = HexPairBitsAt(pair);
    const std::uint32_t addressHigh = HexPairBitsAt(pair + 2);
    const std::uint32_t addressLow = HexPairBitsAt(pair + 4);
    const PairsWritten data = WriteDumpLine(pair + 2, pair + 6, count, ssse3, line);
    const char* checksumDigits = pair + 6 + 2 * count;
    const std::uint32_t checksumHigh = HexPairBitsAt(checksumDigits);
    const std::uint32_t checksumLow = HexPairBitsAt(checksumDigits + 2);
    if (((countBits | addressHigh | addressLow | checksumHigh | checksumLow) & kNotHexPair) != 0 ||
        !data.allHex) {
        return result;
    }
    result.refusal = nullptr;
    // The end record's checksum is tested as a data record's: the 16-bit sum of its count
    // and of the count of records it carries where a data record has its address.
    result.checksumMatches =
        ((countBits + addressHigh + addressLow + data.sum) & 0xFFFF) == (checksumHigh << 8 | checksumLow);
    if (count == 0) {
        result.recordCount = static_cast<std::int32_t>(addressHigh << 8 | addressLow);
        result.endsFile = true;
        result.stopsReading = true;
        return result;
    }
    result.data = true;
    result.blockBytes = count;
    result.dataBytes = count;
    return result;
}

}  // namespace

ReadOutcome ReadMosHex(TextLineReader& reader, Document& doc, std::string_view first, LineFacts facts)
{
    return ReadRecords<ReadMosRecord>(reader, doc, first, facts);
}
