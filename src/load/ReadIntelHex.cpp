#include "load/ReadIntelHex.h"

#include "load/LoadMessages.h"
#include "load/TextLineReader.h"
#include "model/Document.h"
#include "model/HexText.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace {

// ":" + count + address + type + checksum, without data.
constexpr std::size_t kRecordOverhead = 11;
// The longest valid record carries 255 data bytes; keeping one character more is
// enough to see that a longer line is invalid.
constexpr std::size_t kRecordKeep = kRecordOverhead + 2 * 255 + 1;

// The start code is there and the length matches the byte count exactly.
bool HasRecordForm(std::string_view record, std::size_t length, std::uint32_t count)
{
    return !record.empty() && record[0] == ':' && length >= kRecordOverhead &&
           (length - kRecordOverhead) % 2 == 0 && (length - kRecordOverhead) / 2 == count;
}

// Every field (count, address, type, data and checksum) is hex digits. A space or other
// character reads as 0 under the hex value rule, so a corrupt record such as one with " 0"
// for "00" would pass its checksum and be saved as bytes it does not show.
bool IsAllHex(std::string_view fields)
{
    return std::all_of(fields.begin(), fields.end(), IsHexDigit);
}

}  // namespace

ReadOutcome ReadIntelHex(TextLineReader& reader, Document& doc)
{
    // Summed wide: a file of many skipped records must not overflow the count.
    std::int64_t blockBytes = 0;
    std::string record;
    LineFacts facts;
    while (reader.Next(record, facts, kRecordKeep)) {
        if (facts.blank) {
            continue;
        }
        const std::string_view text = record;
        const std::uint32_t count = HexPairValue(text.substr(1, 2));
        blockBytes = std::min<std::int64_t>(blockBytes + count, INT32_MAX);
        doc.state.BlockBytes = static_cast<std::int32_t>(blockBytes);

        if (!HasRecordForm(text, facts.length, count) || !IsAllHex(text.substr(1))) {
            doc.frontEnd.ShowMessageAtLine(reader.LineNumber(), kInvalidObjectFileMessage, Icon::Warning);
            return ReadOutcome::Aborted;
        }
        if (HexPairValue(text.substr(7, 2)) != 0) {
            continue;  // end-of-file, extended-address and other records carry no block bytes
        }
        const std::string_view data = text.substr(9, text.size() - kRecordOverhead);
        std::string line;
        line.reserve(6 + data.size() * 3 / 2);
        line.append(text.substr(3, 4)).append("  ");
        AppendSpacedHexPairs(data, line);
        if (!doc.lines.Append(std::move(line))) {
            ReportTooManyLines(doc, reader.LineNumber());
            return ReadOutcome::Aborted;
        }
        // The failing record stays the last line of the list while the message shows.
        if (static_cast<int>(HexPairValue(text.substr(text.size() - 2))) != HexRecordChecksum(text)) {
            doc.frontEnd.ShowMessageAtLine(reader.LineNumber(), kChecksumFailedMessage, Icon::Warning);
            doc.lines.Clear();
            return ReadOutcome::Aborted;
        }
    }
    return reader.Failed() ? ReadOutcome::Failed : ReadOutcome::Finished;
}
