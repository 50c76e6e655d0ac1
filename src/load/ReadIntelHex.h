#pragma once

#include "load/ObjectRecords.h"

#include <string_view>

// Reads an Intel HEX object file from its first non-blank line, `first`, on (ReadRecords).
// A record is ":", a byte count, a four-digit address, a type, the data and a checksum (the
// low byte of the two's complement of the sum of the other pairs): ":03 8000 00 C30080 3A"
// without the spaces. Type 00 is a data record; type 01 ends the file, but the lines after
// it are read all the same; any other type is skipped. Every record's byte count goes into
// BlockBytes, a refused record's too. Refused as invalid: no start code, a length that
// does not match the byte count, or a character other than a hex digit after the start
// code. Only a data record's checksum is tested.
ReadOutcome ReadIntelHex(TextLineReader& reader, Document& doc, std::string_view first, LineFacts facts);
