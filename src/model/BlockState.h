#pragma once

#include <cstdint>
#include <string>

// The values that travel between commands. Every field starts at 0 or empty and keeps
// its value until a command changes it. Addresses are 16-bit on the Kestrane but are
// held in 32-bit signed values, so 0x8000 and above stay positive.
struct BlockState {
    std::string SourcePath;          // the file last handed to the load, trimmed, as given
    std::string ExePath;             // where the executable goes: derived at load, or chosen on Save
    std::int32_t Org = 0;            // load address of the block (the address of dump line 0)
    std::int32_t Ent = 0;            // entry address
    std::int32_t Sp = 0;             // initial stack pointer
    std::int32_t BlockBytes = 0;     // block size as counted by the reader
    std::int32_t DumpLineCount = 0;  // dump lines taken from a listing
};
