#include "window/GoToAndFind.h"

#include "model/Document.h"
#include "model/HexText.h"
#include "window/BlockSearch.h"

namespace {

// Where the byte `offset` bytes into the block loads: the map's cursor goes there.
std::int32_t LoadAddress(const Document& doc, std::int64_t offset)
{
    return static_cast<std::int32_t>((doc.state.Org + offset) & 0xFFFF);
}

}  // namespace

void BlockFinder::GoTo(Document& doc, ListPlaces& list)
{
    for (;;) {
        const std::string text = doc.frontEnd.AskText(kGoToPrompt, goToEntry_);
        if (text.empty()) {
            return;
        }
        goToEntry_ = text;
        const GoToTarget target = ReadGoToEntry(text, doc.labels);
        std::optional<BlockSpot> spot;
        if (target.address && (spot = LineHolding(doc.lines, *target.address))) {
            list.ShowFound(spot->line, spot->line, LoadAddress(doc, spot->offset));
            return;
        }
        const std::string ranges = LineRangesText(doc.lines);
        doc.frontEnd.ShowMessage(!target.address ? target.refusal
                                 : ranges.empty()
                                     ? "The block holds no bytes."
                                     : "Address " + FormatHex4(static_cast<std::uint32_t>(*target.address)) +
                                           " is not in the block: its dump lines hold " + ranges + ".",
                                 Icon::Warning);
    }
}

bool BlockFinder::AskForBytes(Document& doc)
{
    for (;;) {
        const std::string text = doc.frontEnd.AskText(kFindPrompt, findEntry_);
        if (text.empty()) {
            return false;
        }
        findEntry_ = text;
        FindPattern pattern = ReadFindEntry(text);
        if (pattern.refusal.empty()) {
            sought_ = std::move(pattern);
            return true;
        }
        doc.frontEnd.ShowMessage(pattern.refusal, Icon::Warning);
    }
}

void BlockFinder::Find(Document& doc, ListPlaces& list, WindowCommand command)
{
    if ((command == WindowCommand::FindBytes || sought_.bytes.empty()) && !AskForBytes(doc)) {
        return;
    }
    const SearchDirection direction =
        command == WindowCommand::FindPrevious ? SearchDirection::Backward : SearchDirection::Forward;
    const std::optional<FoundBytes> found =
        FindInBlock(doc.lines, sought_.bytes, list.CurrentRow(), direction);
    if (!found) {
        doc.frontEnd.ShowMessage(sought_.shown + " not found in the block.", Icon::Information);
        return;
    }
    list.ShowFound(found->firstLine, found->lastLine, LoadAddress(doc, found->offset));
    if (found->wrapped) {
        doc.frontEnd.ShowMessage(direction == SearchDirection::Forward
                                     ? "Passed the end of the block: found from its start."
                                     : "Passed the start of the block: found from its end.",
                                 Icon::Information);
    }
}
