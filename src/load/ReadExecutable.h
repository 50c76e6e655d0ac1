#pragma once

#include "load/LoadMessages.h"

#include <cstdint>
#include <vector>

class TextLineReader;
struct Document;

// ORG, ENT and SP as an executable's header holds them, and the whole header.
struct ExeHeaderValues {
    std::int32_t org = 0;
    std::int32_t ent = 0;
    std::int32_t sp = 0;
    std::vector<std::uint8_t> bytes;  // all 512
};

// Reads a Kestrane executable, as the writer writes it: "EXE", a zero byte and the
// header's length, 512, as a 32-bit little-endian number, ORG, ENT and SP at offsets 16,
// 18 and 20, then the block. The block becomes dump lines of 16 bytes each, the last one
// shorter, addressed from ORG on (wrapping past FFFF) in the layout of an object file's
// lines ("8000  C3 00 80"); a block too large for 32767 such lines gets as many more bytes
// to a line as it needs, so that whatever the converter writes reads back. BlockBytes is
// the number of its bytes, and `header` takes ORG, ENT, SP and the header's every byte for
// the load to keep. A file that does not start with that header, or is shorter than it, is
// refused with a message; so is a block larger than 32767 of the longest dump lines hold.
ReadOutcome ReadExecutable(TextLineReader& reader, Document& doc, ExeHeaderValues& header);

// Reads a binary file, the block's bytes as they are with no address of their own (what
// the assembler writes as plain bytes), into dump lines of 16 bytes from `org` on, laid out
// as an executable's are. BlockBytes is the file's length. A file of more bytes than 32767
// such lines hold is refused with a message before it is read; an empty one gives no
// dump lines.
ReadOutcome ReadBinaryFile(TextLineReader& reader, Document& doc, std::int32_t org);
