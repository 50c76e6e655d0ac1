#pragma once

#include "load/LoadMessages.h"

class TextLineReader;
struct Document;

// Reads an object file in whichever form the assembler wrote it, chosen by the first
// character of its first non-blank line: ":" Intel HEX, "S" Motorola S-records, ";" MOS
// Technology hex; anything else is refused as invalid. Each data record becomes one dump
// line ("8000  C3 00 80"), and its bytes go into BlockBytes. Bytes are never placed by
// address: the block is the data records' bytes in file order. Blank lines are skipped.
// Reading stops after a termination record (Motorola S7 to S9, MOS Technology's last);
// what follows it is not looked at. The file is whole when it holds an end-of-file or
// termination record, or ends with a count record; read to its end without either, it
// gives FinishedWithoutEnd. Aborts, with a message and the line's number, at the first
// record of the wrong form or at an address outside the 64K space (left: the lines read
// so far), at a count record that does not count the data records before it (the same),
// or at a wrong checksum or one dump line too many (left: an empty list).
ReadOutcome ReadObjectFile(TextLineReader& reader, Document& doc);
