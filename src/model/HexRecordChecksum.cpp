#include "model/HexText.h"

int HexRecordChecksum(std::string_view record)
{
    // Drop the record's own checksum digits, then the ":" start code.
    std::string_view fields = record.substr(0, record.size() >= 2 ? record.size() - 2 : 0);
    if (!fields.empty()) {
        fields.remove_prefix(1);
    }
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < fields.size(); i += 2) {
        sum += HexPairAt(fields, i);
    }
    return static_cast<int>((256 - sum % 256) % 256);
}
