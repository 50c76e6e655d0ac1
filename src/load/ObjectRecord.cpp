#include "load/ObjectRecord.h"

#include "model/HexSsse3.h"
#include "model/HexText.h"

#include <cstring>

PairsWritten WriteDumpLine(const char* address, const char* data, std::uint32_t count, bool ssse3, char* line)
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
