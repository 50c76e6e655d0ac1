#pragma once

#include <string>

struct Document;

// The load's own messages, shared by the driver and both readers.

inline constexpr const char* kTooManyLinesMessage =
    "File holds more than 32767 dump lines. File read aborted.";
inline constexpr const char* kInvalidObjectFileMessage = "Object file is invalid. File read aborted.";
inline constexpr const char* kChecksumFailedMessage =
    "Last line listed failed checksum. File read aborted.";

std::string CannotReadMessage(const std::string& path);

// A file with more dump lines than the list can hold: no partial block is kept.
void ReportTooManyLines(Document& doc, int line);
