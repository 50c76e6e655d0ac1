// The listing reader on any bytes: read with several chunk sizes, it must give the same
// dump lines as a plain model of the dump sections, and count them right; and the same
// labels whatever the chunk size, in address order.

#include "FuzzSupport.h"
#include "load/ReadListingDump.h"
#include "load/TextLineReader.h"
#include "model/Document.h"

#include <string_view>

namespace {

struct Result {
    ReadOutcome outcome;
    std::vector<std::string> lines;
    std::vector<std::string> messages;
    std::vector<Label> labels;
    bool operator==(const Result& o) const
    {
        return outcome == o.outcome && lines == o.lines && messages == o.messages && labels == o.labels;
    }
};

Result Read(const std::string& path, std::size_t chunkSize)
{
    FuzzFrontEnd ui;
    Document doc(ui);
    TextLineReader reader(path, chunkSize);
    FUZZ_CHECK(reader.IsOpen());
    const ReadOutcome outcome = ReadListingDump(reader, doc);
    if (outcome == ReadOutcome::Finished) {
        FUZZ_CHECK(doc.state.DumpLineCount == doc.lines.Count());
        FUZZ_CHECK(doc.state.BlockBytes == 16 * doc.lines.Count());
        FUZZ_CHECK(ui.messages.empty());
    } else {
        // The only refusal: more dump lines than the list holds, and then none are kept.
        FUZZ_CHECK(outcome == ReadOutcome::Aborted);
        FUZZ_CHECK(doc.lines.Count() == 0);
        FUZZ_CHECK(ui.messages.size() == 1);
    }
    for (std::size_t i = 0; i < doc.labels.size(); ++i) {
        FUZZ_CHECK(!doc.labels[i].name.empty() && doc.labels[i].address <= 0xFFFF);
        FUZZ_CHECK(i == 0 || doc.labels[i - 1].address <= doc.labels[i].address);
    }
    return {outcome, doc.lines.Lines(), ui.messages, doc.labels};
}

// The dump sections as a person would cut them out: lines end at CR LF, CR or LF; a
// section opens with the header and then the rule, and runs to the next blank line.
std::vector<std::string> ModelDumpLines(std::string_view text, bool& tooMany)
{
    const std::string_view header = "ADDR  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F";
    const std::string rule(53, '-');
    std::vector<std::string> lines;
    bool headerSeen = false;
    bool ruleSeen = false;
    tooMany = false;
    for (const std::string_view line : TextLines(text)) {
        if (line.find_first_not_of(' ') == std::string_view::npos) {
            headerSeen = ruleSeen = false;
        } else if (headerSeen && ruleSeen) {
            lines.emplace_back(line);
        } else if (headerSeen && line == rule) {
            ruleSeen = true;
        } else if (!headerSeen && line == header) {
            headerSeen = true;
        }
    }
    if (lines.size() > 32767) {
        tooMany = true;
        lines.clear();
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = WriteScratchFile("input.lst", data, size);
    const Result whole = ReadInChunks(size, [&](std::size_t chunk) { return Read(path, chunk); });
    bool tooMany = false;
    const std::vector<std::string> model =
        ModelDumpLines(std::string_view(reinterpret_cast<const char*>(data), size), tooMany);
    FUZZ_CHECK(tooMany == (whole.outcome == ReadOutcome::Aborted));
    FUZZ_CHECK(model == whole.lines);
    return 0;
}
