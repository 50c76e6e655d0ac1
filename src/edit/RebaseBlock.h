#pragma once

#include <cstdint>

class DumpList;
struct Document;

// Re-basing the block: the part of Change ORG that the console converter's --org shares.

// Where the dump lines put the block: the address of line 0, or ORG when there are no
// lines. Line 0 shows only the low 16 bits of an ORG above FFFF.
std::int32_t LinesOrg(const Document& doc);

// Sets ORG to `org` and moves every dump line, and every label, by the distance from
// LinesOrg to it. The bytes, the block size, ENT and SP stay as they are.
void RebaseBlock(Document& doc, std::int32_t org);

// Moves every dump line's address by `delta`: the first four characters of each line
// become the low 16 bits of (its address + delta) as four upper-case hex digits, so an
// address wraps past FFFF to 0000. The rest of the line stays as it is; a line shorter
// than four characters keeps its length, taking only the leading digits that fit. Lines
// whose text does not change are left alone.
void RebaseDumpLines(DumpList& lines, std::int64_t delta);
