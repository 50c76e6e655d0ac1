#include "load/ReadObjectFile.h"

#include "load/ObjectRecord.h"
#include "load/ReadIntelHex.h"
#include "load/ReadMosHex.h"
#include "load/ReadMotorolaHex.h"
#include "load/TextLineReader.h"
#include "model/Document.h"
#include "model/HexSsse3.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace {

// The reader of the form whose records start with `start`; null for none.
ReadRecordFn FormStartingWith(char start)
{
    switch (start) {
        case ':':
            return ReadIntelHexRecord;
        case 'S':
            return ReadMotorolaRecord;
        case ';':
            return ReadMosRecord;
        default:
            return nullptr;
    }
}

// Room in the dump list for the dump lines an object file of this size may give: each
// record of 16 bytes (44 characters with its line end) becomes a dump line of 53, and no
// more than the longest list of such lines takes. Every record is written into the room
// after the last line before it is known to be a data record, so there is room for the
// longest dump line besides.
void ReserveForObjectFile(DumpList& lines, std::uint64_t fileSize)
{
    constexpr std::uint64_t kFullList = std::uint64_t{DumpList::kMaxLines} * 53;
    const std::uint64_t text = std::min(fileSize / 4 * 5, kFullList);
    lines.Reserve(static_cast<std::size_t>(text) + kRecordRoom, static_cast<int>(text / 53) + 1);
}

// Reads the rest of the file without looking at it, so that a file that changes while it
// is read is still refused, and its whole length is known.
void SkipRest(TextLineReader& reader)
{
    std::string_view text;
    LineFacts facts;
    while (reader.Next(text, facts, 0, 0)) {
    }
}

}  // namespace

ReadOutcome ReadObjectFile(TextLineReader& reader, Document& doc)
{
    // Summed wide: a file of many skipped records must not overflow the count.
    std::int64_t blockBytes = 0;
    std::string_view text;
    LineFacts facts;
    ReserveForObjectFile(doc.lines, reader.SizeWhenOpened());
    const bool ssse3 = CanUseSsse3();
    ReadRecordFn readRecord = nullptr;
    bool endSeen = false;
    bool countLast = false;
    while (reader.Next(text, facts, kRecordKeep, kRecordKeep)) {
        if (facts.blank) {
            continue;
        }
        if (readRecord == nullptr) {
            readRecord = FormStartingWith(text[0]);
            if (readRecord == nullptr) {
                doc.frontEnd.ShowMessageAtLine(reader.LineNumber(), kInvalidObjectFileMessage, Icon::Warning);
                return ReadOutcome::Aborted;
            }
        }
        const ObjectRecord record = readRecord(text, facts.length, ssse3, doc.lines.Room(kRecordRoom));
        blockBytes = std::min<std::int64_t>(blockBytes + record.blockBytes, INT32_MAX);
        doc.state.BlockBytes = static_cast<std::int32_t>(blockBytes);
        if (record.refusal != nullptr) {
            doc.frontEnd.ShowMessageAtLine(reader.LineNumber(), record.refusal, Icon::Warning);
            return ReadOutcome::Aborted;
        }
        if (record.data) {
            if (!doc.lines.AppendWritten(DumpLineLength(record.dataBytes))) {
                ReportTooManyLines(doc, reader.LineNumber());
                return ReadOutcome::Aborted;
            }
            // The failing record stays the last line of the list while the message shows.
            if (!record.checksumMatches) {
                doc.frontEnd.ShowMessageAtLine(reader.LineNumber(), kChecksumFailedMessage, Icon::Warning);
                doc.lines.Clear();
                return ReadOutcome::Aborted;
            }
        }
        // Every data record is a dump line: the count of them is the list's.
        countLast = record.recordCount >= 0;
        if (countLast && record.recordCount != doc.lines.Count()) {
            doc.frontEnd.ShowMessageAtLine(reader.LineNumber(), kRecordCountMessage, Icon::Warning);
            return ReadOutcome::Aborted;
        }
        endSeen = endSeen || record.endsFile;
        if (record.stopsReading) {
            SkipRest(reader);
            break;
        }
    }
    if (reader.Failed()) {
        return ReadOutcome::Failed;
    }
    return endSeen || countLast ? ReadOutcome::Finished : ReadOutcome::FinishedWithoutEnd;
}
