#include "FileImages.h"

#include <cstdio>

std::string HexByte(unsigned value)
{
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value & 0xFF);
    return text;
}

std::string IntelHexRecord(unsigned address, unsigned type, const std::string& data, unsigned checksumError)
{
    const std::string head = {static_cast<char>(data.size()), static_cast<char>(address >> 8),
                              static_cast<char>(address & 0xFF), static_cast<char>(type)};
    unsigned sum = 0;
    std::string record = ":";
    for (const char b : head + data) {
        sum += static_cast<unsigned char>(b);
        record += HexByte(static_cast<unsigned char>(b));
    }
    return record + HexByte(256 - sum % 256 + checksumError);
}

std::string ExeHeader(std::int32_t org, std::int32_t ent, std::int32_t sp)
{
    std::string header(512, '\0');
    header.replace(0, 8, std::string("EXE\0\0\2\0\0", 8));
    const std::int32_t fields[] = {org, ent, sp};
    for (std::size_t i = 0; i < 3; ++i) {
        header[16 + 2 * i] = static_cast<char>(fields[i] & 0xFF);
        header[17 + 2 * i] = static_cast<char>((fields[i] >> 8) & 0xFF);
    }
    return header;
}
