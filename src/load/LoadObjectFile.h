#pragma once

#include <cstdint>
#include <string>

struct Document;

enum class LoadOutcome {
    Loaded,         // the block is in the dump list; ORG, ENT and SP are set
    NoDumpLines,    // the file was read but held no dump lines
    Aborted,        // the file was refused or could not be read; the user has been told
    NotObjectFile,  // the name ends in none of OBJ, LST, EXE and BIN: nothing was opened
};

// The single entry for reading a listing, object file, executable or binary file into the
// document. Disables the commands and blanks the status panels, clears the dump list, derives
// ExePath, runs the reader the file's name calls for and, when it produced dump lines,
// sets ORG from line 0, ENT and SP from an executable's header or else ENT to ORG and SP
// to the end of ORG's 16K page, enables the commands and fills the panels; an object file without an
// end-of-file record is then warned about. The file is opened by the path exactly as given; only a regular
// file is read, and one whose size changes while it is read is refused. A binary file holds
// no address: its dump lines start at `binaryOrg` (its low 16 bits, as line 0 shows it),
// which only a binary file uses.
LoadOutcome LoadObjectFile(Document& doc, const std::string& path, std::int32_t binaryOrg = 0);
