#pragma once

#include "edit/SetBlockValues.h"
#include "output/WriteExe.h"  // OutputIsTheSourceMessage

#include <optional>
#include <string>

struct Document;

// Exit status of a conversion run from the command line.
enum ExitStatus : int {
    kExitSaved = 0,    // the executable was written
    kExitRefused = 1,  // the input was refused or the write failed; nothing was written
    kExitUsage = 2,    // the command line was wrong
};

// The messages of a command line that names no usable file.
inline constexpr const char* kNoValidFileMessage = "It could be a good idea to supply a valid filename...";
inline constexpr const char* kNotObjOrLstMessage = "It could be a good idea to supply an OBJ or LST file...";
inline constexpr const char* kNoLoadAddressMessage =
    "A binary file has no load address: give its ORG with --org N.";

struct ConversionRequest {
    std::string source;                 // the file to convert, as given
    std::optional<std::string> output;  // where to write; derived from the source if absent
    BlockValues values;                 // ORG, ENT and SP to set once the block is loaded
    // Only tells what the conversion would write (BlockInfoLines, as information) and writes
    // nothing: quillet-cli --info.
    bool infoOnly = false;
    // What a binary file given without ORG is refused with: it says how this program takes one.
    const char* noLoadAddressMessage = kNoLoadAddressMessage;
};

// Converts one listing or object file to an executable and says how it went, through the
// document's front end. Shared by the window (given a file argument) and the console
// converter. A binary file's dump lines start at the request's ORG. Once the block is loaded, each place
// where a dump line does not follow on from the bytes before it is warned about; then the values the request
// gives are set, with a warning for each that no longer fits the block. Nothing is written unless the file
// yields a block; an existing file at the output path is replaced, and only by a
// complete new one. The source is used exactly as given for every step. An output that
// is a folder, or that is or may be the source itself, is refused before anything is
// read. Running out of memory is reported, not fatal.
ExitStatus ConvertFromCommandLine(Document& doc, const ConversionRequest& request);

// Why `request` could never be converted, whatever its file comes to hold: its name ends in
// none of OBJ, LST, EXE and BIN (kNotObjOrLstMessage), or it names a binary file, which
// holds no load address, and gives no ORG (its noLoadAddressMessage). Nothing when it could.
std::optional<std::string> NameRefusal(const ConversionRequest& request);

// The closing line of a conversion that wrote nothing: after a message that said why, and
// after a file that held no dump lines.
inline constexpr const char* kNothingSavedMessage = "Nothing saved.";
inline constexpr const char* kNoDumpLinesMessage = "No dump lines found. Nothing saved.";
inline constexpr const char* kOutOfMemoryMessage = "Out of memory. Nothing saved.";
