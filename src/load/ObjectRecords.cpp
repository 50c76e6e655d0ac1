#include "load/ObjectRecords.h"

#include <algorithm>
#include <cctype>

ReadOutcome RefuseRecord(Document& doc, int line, const char* message, bool keepLines)
{
    doc.frontEnd.ShowMessageAtLine(line, message, Icon::Warning);
    if (!keepLines) {
        doc.lines.Clear();
    }
    return ReadOutcome::Aborted;
}

void SkipRest(TextLineReader& reader)
{
    std::string_view text;
    LineFacts facts;
    while (reader.Next(text, facts, 0, 0)) {
    }
}

void SkipRestAfterEnd(TextLineReader& reader, Document& doc)
{
    std::string_view text;
    LineFacts facts;
    int recordsFrom = 0;
    while (reader.Next(text, facts, kRecordKeep, kRecordKeep)) {
        const auto first = std::find_if(text.begin(), text.end(), [](char c) {
            return std::isspace(static_cast<unsigned char>(c)) == 0;
        });
        if (first == text.end() && (facts.blank || facts.length <= text.size())) {
            continue;  // white space only
        }
        if (first == text.end() || *first != '\x1A') {
            recordsFrom = reader.LineNumber();
        }
        break;  // records, or a Ctrl-Z, which ends the text
    }
    SkipRest(reader);
    if (recordsFrom > 0 && !reader.Failed()) {
        doc.frontEnd.ShowMessage(RecordsAfterEndMessage(recordsFrom), Icon::Warning);
    }
}

std::string RecordsAfterEndMessage(int line)
{
    return "Records from line " + std::to_string(line) + " on follow the end record and were not read.";
}
