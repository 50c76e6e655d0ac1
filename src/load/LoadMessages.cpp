#include "load/LoadMessages.h"

#include "model/Document.h"

std::string CannotReadMessage(const std::string& name, const std::string& reason)
{
    return "Cannot read '" + name + "': " + reason + ". File read aborted.";
}

void ReportTooManyLines(Document& doc, int line)
{
    doc.lines.Clear();
    doc.frontEnd.ShowMessageAtLine(line, kTooManyLinesMessage, Icon::Warning);
}
