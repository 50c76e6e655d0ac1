#pragma once

#include "load/ObjectRecords.h"

#include <string_view>

// Reads a MOS Technology hex file from its first non-blank line, `first`, on
// (ReadRecords). A record is ";", the count of its data bytes, the address, the data and
// a checksum of four digits (the 16-bit sum of the count, both address bytes and every
// data byte): ";03 8000 C30080 01C6" without the spaces. A record of count 00 ends the
// file, and its address field is the count of the data records before it; every other
// record is a data record. Refused as invalid: no ";", a length that does not match the
// count, or a character other than a hex digit after the ";". Only a data record's
// checksum is tested.
ReadOutcome ReadMosHex(TextLineReader& reader, Document& doc, std::string_view first, LineFacts facts);
