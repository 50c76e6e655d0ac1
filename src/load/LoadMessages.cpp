#include "load/LoadMessages.h"

#include "model/Document.h"

std::string CannotReadMessage(const std::string& path)
{
    return "Cannot read '" + path + "'. File read aborted.";
}

void ReportTooManyLines(Document& doc, int line)
{
    doc.lines.Clear();
    doc.ui.ShowMessageAtLine(line, kTooManyLinesMessage, Icon::Warning);
}
