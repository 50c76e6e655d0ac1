// A whole conversion on any bytes: LoadObjectFile reads the input as an object file, as a
// listing and as an executable (as it is, and behind an executable's header), and every
// block it loads is written with WriteExe. The executable must be the header with ORG,
// ENT and SP followed by the bytes of every dump line, the block's layout must count
// exactly those bytes, the write must leave nothing else behind, and a refused load must
// leave the commands' values alone. An executable saves over itself as its very bytes,
// header and all. Whatever is written reads back and writes the same bytes again; a block
// of no bytes, whose executable would not, is not written. A load says nothing but that
// an object file has no end-of-file record.

#include "FileImages.h"
#include "FuzzSupport.h"
#include "load/LoadMessages.h"
#include "load/LoadObjectFile.h"
#include "model/BlockLayout.h"
#include "model/Document.h"
#include "model/HexText.h"
#include "output/WriteExe.h"

#include <algorithm>

#include <fstream>
#include <iterator>

namespace {

std::vector<std::uint8_t> ReadBack(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Word(const std::vector<std::uint8_t>& image, std::size_t offset)
{
    return image[offset] | (static_cast<std::uint32_t>(image[offset + 1]) << 8);
}

void ConvertAs(const std::string& name, const std::uint8_t* data, std::size_t size)
{
    ClearScratchFolder();
    const std::string path = WriteScratchFile(name, data, size);
    FuzzFrontEnd ui;
    Document doc(ui);
    const LoadOutcome outcome = LoadObjectFile(doc, path);
    const bool executable = name == "input.exe";
    FUZZ_CHECK((doc.state.ExePath == path) == executable);
    // Only an object file draws a word once it is read: where it has no end-of-file record,
    // or where records follow its end record.
    const auto readersWarning = [&name](const std::string& message) {
        return name == "input.obj" && (message == "1: " + std::string(kNoEndRecordMessage) ||
                                       message.rfind("1: Records from line ", 0) == 0);
    };
    const bool warnedAtMost =
        ui.messages.empty() || (ui.messages.size() == 1 && readersWarning(ui.messages[0]));
    if (outcome != LoadOutcome::Loaded) {
        FUZZ_CHECK(doc.state.Org == 0 && doc.state.Ent == 0 && doc.state.Sp == 0);
        FUZZ_CHECK(outcome == LoadOutcome::NoDumpLines ? warnedAtMost : ui.messages.size() == 1);
        return;
    }
    FUZZ_CHECK(doc.lines.Count() > 0 && warnedAtMost);
    FUZZ_CHECK(doc.state.Org >= 0 && doc.state.Org <= 0xFFFF);
    if (executable) {
        FUZZ_CHECK(size > 512 && doc.state.Org == static_cast<std::int32_t>(data[16] | data[17] << 8) &&
                   doc.state.Ent == static_cast<std::int32_t>(data[18] | data[19] << 8) &&
                   doc.state.Sp == static_cast<std::int32_t>(data[20] | data[21] << 8));
    } else {
        FUZZ_CHECK(doc.state.Ent == doc.state.Org);
        FUZZ_CHECK(doc.state.Sp % 0x4000 == 0x3FFF && doc.state.Sp / 0x4000 == doc.state.Org / 0x4000);
    }

    std::vector<std::uint8_t> block;
    for (const std::string& line : doc.lines.Lines()) {
        AppendHexBytes(LineByteText(line), block);
    }
    // The layout the map and the warnings show counts exactly the bytes written.
    FUZZ_CHECK(LayOutBlock(doc.lines, doc.state.Org).bytes == static_cast<std::int64_t>(block.size()));
    if (block.empty()) {
        FUZZ_CHECK(!WriteExe(doc, true));
        FUZZ_CHECK(ui.messages.back() == "1: " + std::string(kNoBytesMessage));
        FUZZ_CHECK(ScratchFileNames().size() == 1);  // the input alone
        return;
    }
    FUZZ_CHECK(WriteExe(doc, executable));  // an executable is replaced without a question
    const std::vector<std::uint8_t> image = ReadBack(doc.state.ExePath);
    FUZZ_CHECK(image.size() == 512 + block.size());
    FUZZ_CHECK(std::equal(block.begin(), block.end(), image.begin() + 512));
    FUZZ_CHECK(Word(image, 16) == static_cast<std::uint32_t>(doc.state.Org));
    FUZZ_CHECK(Word(image, 18) == static_cast<std::uint32_t>(doc.state.Ent));
    FUZZ_CHECK(Word(image, 20) == static_cast<std::uint32_t>(doc.state.Sp));
    if (executable) {
        FUZZ_CHECK(image.size() == size && std::equal(image.begin(), image.end(), data));
        FUZZ_CHECK(ScratchFileNames().size() == 1);  // the executable, saved over itself
    } else {
        FUZZ_CHECK(ScratchFileNames().size() == 2);  // the input and the executable
    }

    // What was written reads back, and saved again is the same file.
    FuzzFrontEnd again;
    Document back(again);
    FUZZ_CHECK(LoadObjectFile(back, doc.state.ExePath) == LoadOutcome::Loaded && again.messages.empty());
    FUZZ_CHECK(WriteExe(back, true));
    FUZZ_CHECK(ReadBack(doc.state.ExePath) == image);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ConvertAs("input.obj", data, size);
    ConvertAs("input.lst", data, size);
    ConvertAs("input.exe", data, size);
    // Behind a header, with ORG, ENT and SP from the input's first bytes, any bytes load.
    const auto field = [&](std::size_t at) { return size > at + 1 ? data[at] | data[at + 1] << 8 : 0; };
    const std::string exe = ExeHeader(field(0), field(2), field(4)) + std::string(data, data + size);
    ConvertAs("input.exe", reinterpret_cast<const std::uint8_t*>(exe.data()), exe.size());
    return 0;
}
