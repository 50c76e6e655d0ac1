#pragma once

// The files the tests and fuzz targets build byte by byte, written here apart from the
// program's own code so that they check it rather than repeat it.

#include <cstdint>
#include <string>

// Two upper-case hex digits: "C3".
std::string HexByte(unsigned value);

// One Intel HEX record line, without its line end: ":" + count + address + type + data
// + checksum, the checksum off by `checksumError` (0 for a good record).
std::string IntelHexRecord(unsigned address, unsigned type, const std::string& data,
                           unsigned checksumError = 0);

// The 512-byte header of a Kestrane executable carrying ORG, ENT and SP, each as its low
// 16 bits, little-endian.
std::string ExeHeader(std::int32_t org, std::int32_t ent, std::int32_t sp);
