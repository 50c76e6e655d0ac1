#pragma once

#include "model/DumpList.h"

#include <cstddef>
#include <cstdint>

// The loops that read every byte of a block, 16 bytes a step with the x86 processor's
// SSSE3 instructions. Each gives what the plain loops of HexText give; they run only where
// CanUseSsse3() says so.

// True on x86 built with GCC or Clang when the processor has SSSE3 (any x86-64 made since
// about 2011 does). Asked once; under a hypervisor the question costs microseconds.
bool CanUseSsse3();

// The bytes of whole dump lines from `line` on, as WriteHexBytes writes them, to `to` as
// long as LineBytesBound of the next line fits before `end`; moves `line` past them and
// returns the end of what was written. A line of Tasm's 53-character form is read 16
// bytes at once.
std::uint8_t* WriteWholeLinesSsse3(const DumpList& lines, int& line, std::uint8_t* to,
                                   const std::uint8_t* end);

// `groups` runs of 32 hex digits (either case) at `digits` as upper-case pairs each
// followed by a space, 48 characters to a run, written to `to`; the value of every pair
// is added to `sum`. Returns false when any character is not a hex digit: then what was
// written and added is of no use.
bool SpacePairsSsse3(const char* digits, std::size_t groups, char* to, std::uint32_t& sum);
