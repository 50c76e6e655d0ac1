#pragma once

#include "load/ObjectRecords.h"

#include <string_view>

// Reads a Motorola S-record file from its first non-blank line, `first`, on (ReadRecords).
// A record is "S", a type digit, the count of the bytes after it, the address, the data
// and a checksum (the ones' complement of the low byte of the sum of the count, address
// and data bytes): "S1 06 8000 C30080 36" without the spaces. S1, S2 and S3 are data
// records with a 16-, 24- and 32-bit address: the dump line shows the address's last four
// digits, and an address past FFFF is refused as outside the 64K space. S0, a header, is
// skipped; S5 and S6 count the data records before them; S7, S8 and S9 end the file, and
// their entry address is not used. Refused as invalid: no "S", a type the form does not
// have (S4, or not a digit), a count that does not match the length or leaves no room
// for the address and checksum, or a character other than a hex digit after the type.
// Only a data record's checksum is tested.
ReadOutcome ReadMotorolaHex(TextLineReader& reader, Document& doc, std::string_view first, LineFacts facts);
