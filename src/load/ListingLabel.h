#pragma once

#include "model/Label.h"

#include <optional>
#include <string_view>

// The label a source line of a Tasm listing defines, if it defines one. A source line is
// its line number, three spaces, the address column (four hex digits), a space, a column
// of twelve characters for up to four bytes, then the source text as it was written:
//
//   0003   0800 D8          reset:  cld
//   0012   0014             datalen .equ $-data
//
// A label is the name at the very start of the source text, on a line whose address
// column holds an address: it starts with a letter, an underscore or a character beyond
// ASCII, and runs to the first space, tab, colon, semicolon or "=" (a colon after it is
// not part of it). A name that defines a value without placing bytes (".equ", ".set",
// "equ" or "=" after it, in either case) is no label of the block: its address column
// holds the value. `whole` is false when `line` is only the start of a longer line: a
// name that runs to its end is then not taken, as it may go on.
std::optional<Label> ListingLabel(std::string_view line, bool whole = true);
