#include "edit/RebaseBlock.h"

#include "edit/Labels.h"
#include "model/Document.h"
#include "model/HexText.h"

#include <algorithm>
#include <string_view>

std::int32_t LinesOrg(const Document& doc)
{
    return doc.lines.Count() > 0 ? LineAddress(doc.lines.Line(0)) : doc.state.Org;
}

void RebaseBlock(Document& doc, std::int32_t org)
{
    const std::int64_t delta = std::int64_t{org} - LinesOrg(doc);
    doc.state.Org = org;
    RebaseDumpLines(doc.lines, delta);
    MoveLabels(doc.labels, delta);
}

void RebaseDumpLines(DumpList& lines, std::int64_t delta)
{
    const int count = lines.Count();
    for (int i = 0; i < count; ++i) {
        const std::string_view line = lines.Line(i);
        // Converting to unsigned keeps the low bits of a negative sum as well.
        const auto moved = static_cast<std::uint32_t>(static_cast<std::uint64_t>(LineAddress(line) + delta));
        const char digits[4] = {UpperHexDigitOf(moved >> 12), UpperHexDigitOf(moved >> 8),
                                UpperHexDigitOf(moved >> 4), UpperHexDigitOf(moved)};
        const std::string_view head(digits, std::min(line.size(), sizeof digits));
        if (line.substr(0, head.size()) != head) {
            lines.OverwriteStart(i, head);
        }
    }
}
