#include "load/ReadObjectFile.h"

#include "load/ObjectRecords.h"
#include "load/ReadIntelHex.h"
#include "load/ReadMosHex.h"
#include "load/ReadMotorolaHex.h"
#include "load/TextLineReader.h"
#include "model/Document.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace {

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

}  // namespace

ReadOutcome ReadObjectFile(TextLineReader& reader, Document& doc)
{
    ReserveForObjectFile(doc.lines, reader.SizeWhenOpened());
    std::string_view text;
    LineFacts facts;
    while (reader.Next(text, facts, kRecordKeep, kRecordKeep)) {
        if (facts.blank) {
            continue;
        }
        switch (text[0]) {
            case ':':
                return ReadIntelHex(reader, doc, text, facts);
            case 'S':
                return ReadMotorolaHex(reader, doc, text, facts);
            case ';':
                return ReadMosHex(reader, doc, text, facts);
            default:
                return RefuseRecord(doc, reader.LineNumber(), kInvalidObjectFileMessage, true);
        }
    }
    return reader.Failed() ? ReadOutcome::Failed : ReadOutcome::FinishedWithoutEnd;
}
