#include "load/ReadListingDump.h"

#include "load/ListingLabel.h"
#include "load/LoadMessages.h"
#include "load/TextLineReader.h"
#include "model/Document.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr std::string_view kHeader = "ADDR  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F";
constexpr std::string_view kRule = "-----------------------------------------------------";
static_assert(kHeader.size() == 53 && kRule.size() == 53);

// Outside a dump section only the markers and a source line's label matter, so a line
// longer than they can be need not be kept whole.
constexpr std::size_t kSourceKeep = 256;

// Room in the dump list for the dump lines a listing of this size may hold: its size, but
// no more than the fullest list of the longest dump lines takes. The dump lines are part
// of the file, so the list never has to grow, and grown by doubling the largest would
// hold its old text and its new, twice as large, at once. Room not filled is never
// touched and takes no memory.
void ReserveForListing(DumpList& lines, std::uint64_t fileSize)
{
    constexpr std::uint64_t kFullList = std::uint64_t{DumpList::kMaxLines} * kMaxDumpLineLength;
    const std::uint64_t text = std::min(fileSize, kFullList);
    lines.Reserve(static_cast<std::size_t>(text), static_cast<int>(text / (kHeader.size() + 1)) + 1);
}

}  // namespace

ReadOutcome ReadListingDump(TextLineReader& reader, Document& doc)
{
    bool headerSeen = false;
    bool ruleSeen = false;
    std::string_view line;
    LineFacts facts;
    std::vector<Label> labels;
    ReserveForListing(doc.lines, reader.SizeWhenOpened());
    for (;;) {
        const bool inSection = headerSeen && ruleSeen;
        const bool read = inSection ? reader.Next(line, facts, kMaxDumpLineLength, kMaxDumpLineLength)
                                    : reader.Next(line, facts, kSourceKeep);
        if (!read) {
            break;
        }
        if (facts.blank) {
            headerSeen = false;
            ruleSeen = false;
            continue;
        }
        // The flags that admit a line are tested before the line can set them, so the
        // header and rule are never taken as dump lines themselves.
        if (inSection) {
            if (facts.length > kMaxDumpLineLength) {
                doc.frontEnd.ShowMessageAtLine(reader.LineNumber(), kDumpLineTooLongMessage, Icon::Warning);
                return ReadOutcome::Aborted;
            }
            if (!doc.lines.Append(line)) {
                ReportTooManyLines(doc, reader.LineNumber());
                return ReadOutcome::Aborted;
            }
            ++doc.state.DumpLineCount;
            continue;
        }
        if (std::optional<Label> label = ListingLabel(line, facts.length == line.size())) {
            labels.push_back(std::move(*label));
        }
        if (line == kRule && headerSeen) {
            ruleSeen = true;
        } else if (line == kHeader && !headerSeen) {
            headerSeen = true;
        }
    }
    if (reader.Failed()) {
        return ReadOutcome::Failed;
    }
    doc.state.BlockBytes = doc.state.DumpLineCount * 16;
    std::stable_sort(labels.begin(), labels.end(),
                     [](const Label& a, const Label& b) { return a.address < b.address; });
    doc.labels = std::move(labels);
    return ReadOutcome::Finished;
}
