#pragma once

#include "load/LoadMessages.h"

class TextLineReader;
struct Document;

// Turns each data record of an Intel HEX object file into one dump line ("8000  C3 00 80")
// and adds every record's byte count to BlockBytes. Bytes are never placed by address:
// the block is the data records' bytes in file order. Other record types are skipped; a
// file read to its end without an end-of-file record gives FinishedWithoutEnd.
// Aborts, with a message, at the first record of the wrong form: no start code, a length
// that does not match the byte count, or a character other than a hex digit after the
// start code (left: the lines read so far); or at a wrong checksum (left: an empty list).
ReadOutcome ReadIntelHex(TextLineReader& reader, Document& doc);
