#pragma once

#include "load/LoadMessages.h"

class TextLineReader;
struct Document;

// Copies the dump lines of a listing's memory-dump sections into the dump list and sets
// DumpLineCount and BlockBytes (16 bytes per dump line). A section opens with the column
// header and a rule of dashes and ends at a blank line; every other line of the listing
// is ignored but for the labels of its source lines (ListingLabel), which a listing read
// to its end leaves in the document, sorted by address. Aborts, with a message, at a dump
// line longer than 4096 characters, as soon as its 4097th is read (left: the lines read
// so far), or when the dump lines would not fit the list (left: none).
ReadOutcome ReadListingDump(TextLineReader& reader, Document& doc);
