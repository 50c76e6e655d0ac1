#include "window/Reload.h"

#include "edit/SetBlockValues.h"
#include "load/LoadObjectFile.h"
#include "load/SourceFile.h"
#include "model/BlockLayout.h"
#include "model/Document.h"
#include "model/HexText.h"
#include "model/Page16K.h"
#include "window/QuietFrontEnd.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

// "2 dump lines do not follow on from the bytes before them.", where any do not.
void SayWhereDumpLinesDoNotFollowOn(const Document& doc, QuietFrontEnd& quiet)
{
    const BlockLayout layout = LayOutBlock(doc.lines, doc.state.Org);
    const std::size_t places = layout.runs.empty() ? 0 : layout.runs.size() - 1;
    if (places == 1) {
        quiet.Say("1 dump line does not follow on from the bytes before it.");
    } else if (places > 1) {
        quiet.Say(std::to_string(places) + " dump lines do not follow on from the bytes before them.");
    }
}

}  // namespace

void KeepWhatChanged(BlockValues& kept, const BlockState& before, const BlockState& now)
{
    if (now.Org != before.Org) {
        kept.org = now.Org;
    }
    if (now.Ent != before.Ent) {
        kept.ent = now.Ent;
    }
    if (now.Sp != before.Sp) {
        kept.sp = now.Sp;
    }
}

bool LoadAgain(Document& fresh, QuietFrontEnd& quiet, const std::string& path, const BlockValues& kept,
               const BlockState& shown)
{
    try {
        const LoadOutcome outcome = LoadObjectFile(fresh, path, kept.org.value_or(0));
        if (outcome != LoadOutcome::Loaded) {
            if (outcome == LoadOutcome::NoDumpLines) {
                quiet.Say("No dump lines found.");
            }
            return false;
        }
        BlockValues values = kept;
        const std::int32_t org = values.org.value_or(fresh.state.Org);
        if (values.sp && SamePage16K(shown.Sp, shown.Org) && !SamePage16K(*values.sp, org)) {
            quiet.Say("SP &H" + FormatHex(static_cast<std::uint32_t>(*values.sp)) +
                      " not kept: it falls outside ORG's 16K page.");
            values.sp.reset();
        }
        SetBlockValues(fresh, values);
        SayWhereDumpLinesDoNotFollowOn(fresh, quiet);
        return true;
    } catch (const std::bad_alloc&) {
        fresh.lines.Clear();  // gives the memory back
        quiet.Say("Out of memory.");
        return false;
    }
}

std::string ReloadNote(bool loaded, bool blockShown, const std::string& time, const std::string& path,
                       const std::vector<std::string>& said)
{
    std::string note = time + " " + DisplayName(path) + (loaded ? " loaded again." : " not loaded again.");
    for (const std::string& sentence : said) {
        note += " " + sentence;
    }
    if (!loaded && blockShown) {
        note += " The block shown is the one loaded before.";
    }
    return note;
}

int KeptTopLine(std::string_view shownLine, int shown, const DumpList& lines)
{
    const int count = lines.Count();
    if (count == 0) {
        return 0;
    }
    int nearest = -1;
    if (shownLine.size() >= 4) {
        const std::string_view address = shownLine.substr(0, 4);
        for (int i = 0; i < count; ++i) {
            if (lines.Line(i).substr(0, 4) == address &&
                (nearest < 0 || std::abs(i - shown) < std::abs(nearest - shown))) {
                nearest = i;
            }
        }
    }
    return nearest >= 0 ? nearest : std::clamp(shown, 0, count - 1);
}
