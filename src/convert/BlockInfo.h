#pragma once

#include <string>
#include <vector>

struct Document;

// What `quillet-cli --info` tells of a loaded block, one item a line:
//   ORG: 8000
//   ENT: 8000
//   SP: BFFF
//   Block: 62 bytes in 3 dump lines
//   Loads at: 8000-803D
//   Label: 8000 start
// The bytes are those the executable would hold; one "Loads at" line per piece of the
// address space they fill (two where the block runs past FFFF, none without bytes). ORG
// is given as the header holds it, its low 16 bits. Then a listing's labels, one a line in
// address order, each name escaped as file names are (EscapedName).
std::vector<std::string> BlockInfoLines(const Document& doc);
