// The Intel HEX reader on any bytes: read with several chunk sizes it must give the same
// result, and the result of a plain model of the records; every dump line it keeps is an
// address, two spaces and the record's bytes as upper-case pairs; a checksum failure
// leaves no lines.

#include "FuzzSupport.h"
#include "load/LoadMessages.h"
#include "load/ReadIntelHex.h"
#include "load/TextLineReader.h"
#include "model/Document.h"
#include "model/HexText.h"

#include <algorithm>
#include <climits>
#include <string_view>

namespace {

struct Result {
    ReadOutcome outcome;
    std::int32_t blockBytes;
    std::vector<std::string> lines;
    std::vector<std::string> messages;
    bool operator==(const Result& o) const
    {
        return outcome == o.outcome && blockBytes == o.blockBytes && lines == o.lines &&
               messages == o.messages;
    }
};

bool IsDumpLine(const std::string& line)
{
    if (line.size() < 6 || !std::all_of(line.begin(), line.begin() + 4, IsHexDigit) ||
        line.compare(4, 2, "  ") != 0) {
        return false;
    }
    // "C3 00 8": pairs of upper-case digits with one space between, an odd digit last.
    for (std::size_t i = 6; i < line.size(); ++i) {
        const char c = line[i];
        const bool separator = (i - 6) % 3 == 2;
        if (separator ? c != ' ' : !(IsHexDigit(c) && !(c >= 'a' && c <= 'f'))) {
            return false;
        }
    }
    return line.size() == 6 || line.back() != ' ';
}

Result Read(const std::string& path, std::size_t chunkSize)
{
    FuzzFrontEnd ui;
    Document doc(ui);
    TextLineReader reader(path, chunkSize);
    FUZZ_CHECK(reader.IsOpen());
    const ReadOutcome outcome = ReadIntelHex(reader, doc);
    FUZZ_CHECK(outcome != ReadOutcome::Failed);
    FUZZ_CHECK(doc.state.BlockBytes >= 0);
    FUZZ_CHECK(doc.lines.Count() <= DumpList::kMaxLines);
    FUZZ_CHECK(ui.messages.size() == (outcome == ReadOutcome::Aborted ? 1u : 0u));
    if (outcome == ReadOutcome::Aborted &&
        ui.messages[0].find(kInvalidObjectFileMessage) == std::string::npos) {
        FUZZ_CHECK(doc.lines.Count() == 0);  // a checksum failure or too many lines keep nothing
    }
    std::int64_t bytes = 0;
    for (const std::string& line : doc.lines.Lines()) {
        FUZZ_CHECK(IsDumpLine(line));
        bytes += static_cast<std::int64_t>(HexToBytes(LineByteText(line)).size());
    }
    FUZZ_CHECK(bytes <= doc.state.BlockBytes);
    return {outcome, doc.state.BlockBytes, doc.lines.Lines(), ui.messages};
}

// The records as a person would read them, one at a time with no shortcut: lines end at
// CR LF, CR or LF; blank lines are skipped; every record counts into the block size; a
// record of the wrong form is refused, keeping the lines before it; a data record gives
// its address as written and its bytes as spaced pairs; a wrong checksum or one line too
// many empties the list; a file read to its end without an end-of-file record says so.
Result ModelRead(std::string_view text)
{
    Result result{ReadOutcome::FinishedWithoutEnd, 0, {}, {}};
    std::int64_t blockBytes = 0;
    for (const std::string_view line : TextLines(text)) {
        if (line.find_first_not_of(' ') == std::string_view::npos) {
            continue;
        }
        const std::uint32_t count = HexValue(line.substr(1, 2));
        blockBytes = std::min<std::int64_t>(blockBytes + count, INT_MAX);
        result.blockBytes = static_cast<std::int32_t>(blockBytes);
        const std::string_view fields = line.substr(1);
        if (line[0] != ':' || line.size() != 11 + 2 * std::size_t{count} ||
            !std::all_of(fields.begin(), fields.end(), IsHexDigit)) {
            result.outcome = ReadOutcome::Aborted;
            result.messages = {"1: " + std::string(kInvalidObjectFileMessage)};
            return result;
        }
        if (HexValue(line.substr(7, 2)) != 0) {
            if (HexValue(line.substr(7, 2)) == 1) {
                result.outcome = ReadOutcome::Finished;
            }
            continue;
        }
        result.lines.push_back(std::string(line.substr(3, 4)) + "  " +
                               SpaceHexPairs(line.substr(9, 2 * count)));
        std::uint32_t sum = 0;
        for (std::size_t i = 0; i < fields.size(); i += 2) {
            sum += HexValue(fields.substr(i, 2));
        }
        const bool tooMany = result.lines.size() > 32767;
        if (tooMany || sum % 256 != 0) {
            result.outcome = ReadOutcome::Aborted;
            result.lines.clear();
            result.messages = {"1: " + std::string(tooMany ? kTooManyLinesMessage : kChecksumFailedMessage)};
            return result;
        }
    }
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = WriteScratchFile("input.obj", data, size);
    const Result whole = ReadInChunks(size, [&](std::size_t chunk) { return Read(path, chunk); });
    FUZZ_CHECK(whole == ModelRead(std::string_view(reinterpret_cast<const char*>(data), size)));
    return 0;
}
