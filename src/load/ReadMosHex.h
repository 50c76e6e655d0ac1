#pragma once

#include "load/ObjectRecord.h"

#include <cstddef>
#include <string_view>

// One record of a MOS Technology hex file (";10800000C30080...": ";", the count of data
// bytes, the address, the data, and a checksum of four digits: the 16-bit sum of the
// count, both address bytes and every data byte). A record of count 00 ends the file, and
// its address field is the count of the data records before it; every other record is a
// data record. Refused as invalid: no ";", a length that does not match the count, or a
// character other than a hex digit after the ";". Only a data record's checksum is
// tested. A ReadRecordFn.
ObjectRecord ReadMosRecord(std::string_view record, std::size_t length, bool ssse3, char* line);
