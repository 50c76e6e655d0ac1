#pragma once

#include <cstdint>
#include <vector>

class DumpList;

// Where the block's bytes load. The executable holds the bytes of every dump line one
// after another from ORG, whatever address each line claims; where a line does not
// follow on from the bytes before it (an object file with records far apart, or out of
// order), its bytes load elsewhere than it says.

// A run of dump lines that follow on from each other: each line with bytes claims the
// address right after the last byte of the line before it (modulo 0x10000). Lines
// without bytes belong to no run and break none.
struct DumpLineRun {
    int firstLine = 0;         // the index of the run's first dump line
    std::int32_t address = 0;  // the address that line claims
    std::int64_t offset = 0;   // the block's bytes before the run: it loads at ORG + offset
    std::int64_t bytes = 0;    // the bytes its lines hold

    // Where its bytes end, as its lines claim them: the address of its last byte (modulo
    // 0x10000). The next line follows on when it claims the address after that one.
    std::int32_t LastByteAddress() const;
};

struct BlockLayout {
    std::int32_t start = 0;         // where the first byte loads: ORG's low 16 bits, as the header holds it
    std::int64_t bytes = 0;         // the bytes every dump line shows, as the executable holds them
    std::vector<DumpLineRun> runs;  // in list order; each after the first starts where a line
                                    // does not follow on from the bytes before it

    // Where the byte `offset` bytes into the block loads.
    std::int32_t LoadAddress(std::int64_t offset) const;

    // The block runs past FFFF: its later bytes load from 0000 on.
    bool RunsPastFFFF() const { return start + bytes > 0x10000; }

    // The block holds more than 64K: some addresses are loaded more than once.
    bool Over64K() const { return bytes > 0x10000; }
};

// The layout of the block the dump lines hold when it loads at `org`. The bytes of a line
// are counted as the writer reads them (HexToBytes of its byte text).
BlockLayout LayOutBlock(const DumpList& lines, std::int32_t org);

// An address range, both ends included.
struct AddressRange {
    std::int32_t first = 0;
    std::int32_t last = 0;
    bool operator==(const AddressRange& other) const { return first == other.first && last == other.last; }
};

// The addresses the block's bytes load into, from ORG on: one range, two where the block
// runs past FFFF (the one from ORG first), none for a block without bytes. A block of
// more than 64K fills every address.
std::vector<AddressRange> LoadedRanges(const BlockLayout& layout);
