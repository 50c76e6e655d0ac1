#pragma once

#include "load/LoadMessages.h"

#include <cstdint>

class TextLineReader;
struct Document;

// ORG, ENT and SP as an executable's header holds them.
struct ExeHeaderValues {
    std::int32_t org = 0;
    std::int32_t ent = 0;
    std::int32_t sp = 0;
};

// Reads a Kestrane executable, as the writer writes it: "EXE", a zero byte and the
// header's length, 512, as a 32-bit little-endian number, ORG, ENT and SP at offsets 16,
// 18 and 20, then the block. The block becomes dump lines of 16 bytes each, the last one
// shorter, addressed from ORG on (wrapping past FFFF) in the layout of an object file's
// lines ("8000  C3 00 80"); BlockBytes is the number of its bytes, and `header` takes ORG,
// ENT and SP for the load to set. A file that does not start with that header, or is
// shorter than it, is refused with a message; so is a block of more dump lines than the
// list holds. The header's other bytes are not kept: the writer writes them as always.
ReadOutcome ReadExecutable(TextLineReader& reader, Document& doc, ExeHeaderValues& header);
