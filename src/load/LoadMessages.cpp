#include "load/LoadMessages.h"

#include "model/Document.h"

std::string CannotReadMessage(const std::string& path, const std::string& reason)
{
    return "Cannot read '" + path + "': " + reason + ". File read aborted.";
}

void ReportTooManyLines(Document& doc, int line)
{
    doc.lines.Clear();
    doc.frontEnd.ShowMessageAtLine(line, kTooManyLinesMessage, Icon::Warning);
}
