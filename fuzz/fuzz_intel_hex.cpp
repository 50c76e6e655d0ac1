// The Intel HEX reader on any bytes: read with several chunk sizes it must give the same
// result; every dump line it keeps is an address, two spaces and the record's bytes as
// upper-case pairs; a checksum failure leaves no lines.

#include "FuzzSupport.h"
#include "load/LoadMessages.h"
#include "load/ReadIntelHex.h"
#include "load/TextLineReader.h"
#include "model/Document.h"
#include "model/HexText.h"

#include <algorithm>

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = WriteScratchFile("input.obj", data, size);
    ReadInChunks(size, [&](std::size_t chunk) { return Read(path, chunk); });
    return 0;
}
