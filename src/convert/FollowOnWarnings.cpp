#include "convert/FollowOnWarnings.h"

#include "model/BlockLayout.h"
#include "model/Document.h"
#include "model/HexText.h"

namespace {

std::string Hex4(std::int32_t address)
{
    return FormatHex4(static_cast<std::uint32_t>(address));
}

// "3 more dump lines do not follow on from the bytes before them."
std::string RestText(std::size_t rest)
{
    return rest == 1 ? "1 more dump line does not follow on from the bytes before it."
                     : std::to_string(rest) + " more dump lines do not follow on from the bytes before them.";
}

}  // namespace

std::string NotFollowingOnText(const BlockLayout& layout, std::size_t run)
{
    return "Dump line at " + Hex4(layout.runs[run].address) +
           " does not follow on from the bytes before it, which end at " +
           Hex4(layout.runs[run - 1].LastByteAddress()) + "; the executable holds them one after another.";
}

void WarnWhereDumpLinesDoNotFollowOn(Document& doc)
{
    const BlockLayout layout = LayOutBlock(doc.lines, doc.state.Org);
    const std::size_t places = layout.runs.empty() ? 0 : layout.runs.size() - 1;
    if (places == 0) {
        return;
    }
    for (std::size_t run = 1; run <= places && run <= kMostFollowOnWarnings; ++run) {
        doc.frontEnd.ShowMessage(NotFollowingOnText(layout, run), Icon::Warning);
    }
    if (places > kMostFollowOnWarnings) {
        doc.frontEnd.ShowMessage(RestText(places - kMostFollowOnWarnings), Icon::Warning);
    }
}
