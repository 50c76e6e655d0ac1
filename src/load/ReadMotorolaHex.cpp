#include "load/ReadMotorolaHex.h"

#include <cstdint>

namespace {

// "S", the type digit and the count, before the address.
constexpr std::size_t kRecordStart = 4;

// The bytes of each type's address field; 0 for a type the form does not have.
std::uint32_t AddressBytes(char type)
{
    switch (type) {
        case '0':
        case '1':
        case '5':
        case '9':
            return 2;
        case '2':
        case '6':
        case '8':
            return 3;
        case '3':
        case '7':
            return 4;
        default:
            return 0;
    }
}

ObjectRecord ReadMotorolaRecord(std::string_view record, std::size_t length, bool ssse3, char* line)
{
    ObjectRecord result;
    if (IsEndOfText(record)) {
        result.endOfText = true;
        return result;
    }
    result.refusal = kInvalidObjectFileMessage;
    const char type = record.size() > 1 ? record[1] : '\0';
    const std::uint32_t addressBytes = AddressBytes(type);
    if (record[0] != 'S' || addressBytes == 0 || length < kRecordStart || (length - kRecordStart) % 2 != 0) {
        return result;
    }
    // Every byte after the type, the count itself excepted, is counted by it.
    const char* pair = record.data() + 2;
    const std::uint32_t count = HexPairBitsAt(pair);
    if ((count & kNotHexPair) != 0 || count != (length - kRecordStart) / 2 || count < addressBytes + 1) {
        return result;
    }
    std::uint32_t invalid = 0;
    std::uint32_t sum = count;
    std::uint32_t address = 0;
    for (std::uint32_t i = 0; i < addressBytes; ++i) {
        pair += 2;
        const std::uint32_t value = HexPairBitsAt(pair);
        invalid |= value;
        sum += value;
        address = address << 8 | (value & 0xFF);
    }
    pair += 2;
    const std::uint32_t dataBytes = count - addressBytes - 1;
    const PairsWritten data = WriteDumpLine(pair - 4, pair, dataBytes, ssse3, line);
    const std::uint32_t checksum = HexPairBitsAt(pair + 2 * dataBytes);
    if (((invalid | checksum) & kNotHexPair) != 0 || !data.allHex) {
        return result;
    }
    result.refusal = nullptr;
    // Every record's checksum is tested, a header's, count's or end's too: a file corrupt
    // there is corrupt.
    result.checksumMatches = ((sum + data.sum + checksum) & 0xFF) == 0xFF;
    switch (type) {
        case '1':
        case '2':
        case '3':
            if (address > 0xFFFF) {
                result.refusal = kAddressOutside64KMessage;
                return result;
            }
            result.data = true;
            result.blockBytes = dataBytes;
            result.dataBytes = dataBytes;
            break;
        case '5':
        case '6':
            result.recordCount = static_cast<std::int32_t>(address);
            break;
        case '7':
        case '8':
        case '9':
            result.endsFile = true;
            result.stopsReading = true;
            break;
        default:
            break;  // S0: a header, its text not used
    }
    return result;
}

}  // namespace

ReadOutcome ReadMotorolaHex(TextLineReader& reader, Document& doc, std::string_view first, LineFacts facts)
{
    return ReadRecords<ReadMotorolaRecord>(reader, doc, first, facts);
}
