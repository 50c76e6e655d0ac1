#include "edit/RebaseBlock.h"

#include "model/Document.h"
#include "model/HexText.h"

#include <algorithm>
#include <string>

std::int32_t LinesOrg(const Document& doc)
{
    return doc.lines.Count() > 0 ? LineAddress(doc.lines.Line(0)) : doc.state.Org;
}

void RebaseBlock(Document& doc, std::int32_t org)
{
    const std::int64_t delta = std::int64_t{org} - LinesOrg(doc);
    doc.state.Org = org;
    RebaseDumpLines(doc.lines, delta);
}

void RebaseDumpLines(DumpList& lines, std::int64_t delta)
{
    const int count = lines.Count();
    for (int i = 0; i < count; ++i) {
        const std::string& line = lines.Line(i);
        // Converting to unsigned keeps the low bits of a negative sum as well.
        const auto moved = static_cast<std::uint64_t>(LineAddress(line) + delta);
        const std::string digits = FormatHex4(static_cast<std::uint32_t>(moved & 0xFFFF));
        const std::size_t width = std::min(line.size(), digits.size());
        if (line.compare(0, width, digits, 0, width) != 0) {
            std::string rebased = line;
            rebased.replace(0, width, digits, 0, width);
            lines.Replace(i, std::move(rebased));
        }
    }
}
