#include "load/ObjectRecords.h"

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
