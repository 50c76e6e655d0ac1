#pragma once

#include "load/ObjectRecord.h"

#include <cstddef>
#include <string_view>

// One record of an Intel HEX object file (":10800000C30080...", start code, count,
// address, type, data, checksum: the low byte of the two's complement of the sum of the
// other pairs). Type 00 is a data record; type 01 ends the file, but the lines after it
// are read all the same; any other type is skipped. Every record's byte count goes into
// BlockBytes, a refused record's too. Refused as invalid: no start code, a length that
// does not match the byte count, or a character other than a hex digit after the start
// code. Only a data record's checksum is tested. A ReadRecordFn.
ObjectRecord ReadIntelHexRecord(std::string_view record, std::size_t length, bool ssse3, char* line);
