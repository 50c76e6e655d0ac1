#pragma once

#include <cstddef>
#include <string>

struct Document;

// What the readers share with the load driver: how a reader ended, and the messages with
// which a load is refused.

enum class ReadOutcome {
    Finished,            // read to the end of the file
    FinishedWithoutEnd,  // an object file read to its end without an end-of-file record (nor a count record
                         // last)
    Aborted,             // refused the file; the reader has told the user why
    Failed,              // the file could not be read to its end
};

inline constexpr const char* kTooManyLinesMessage =
    "File holds more than 32767 dump lines. File read aborted.";
inline constexpr const char* kInvalidObjectFileMessage = "Object file is invalid. File read aborted.";
inline constexpr const char* kChecksumFailedMessage = "Last line listed failed checksum. File read aborted.";
inline constexpr const char* kNotExecutableMessage = "Not a Kestrane executable. File read aborted.";

// A Motorola data record whose 24- or 32-bit address does not fit in 16 bits: the block
// has no place there.
inline constexpr const char* kAddressOutside64KMessage =
    "Record address is outside the 64K address space. File read aborted.";
// A count record (Motorola S5 or S6, MOS Technology's last record) that does not count
// the data records read before it: some were lost or are left over.
inline constexpr const char* kRecordCountMessage =
    "Record count does not match the data records before it. File read aborted.";

// An object file read to its end without an end-of-file record converts all the same,
// but the assembler may have died or the disk filled before it was written whole.
inline constexpr const char* kNoEndRecordMessage = "No end-of-file record; the file may be cut short.";

// Tasm's dump lines are 53 characters long. A line far longer is not one it wrote, and
// holding it whole would let one line of a huge file take all the memory there is.
inline constexpr std::size_t kMaxDumpLineLength = 4096;
inline constexpr const char* kDumpLineTooLongMessage =
    "Dump line longer than 4096 characters. File read aborted.";

// "Cannot read 'NAME': REASON. File read aborted.", NAME as the front end shows the path.
std::string CannotReadMessage(const std::string& name, const std::string& reason);

// A file with more dump lines than the list can hold: no partial block is kept.
void ReportTooManyLines(Document& doc, int line);
