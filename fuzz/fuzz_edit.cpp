// The ORG, ENT and SP commands, driven by a fuzzed script, on a loaded block.
//
// Input: a script, then optionally a NUL and a file to load (an object file when it starts
// with ':', else a listing; without one, a small listing block is used). The script's
// first line names the commands in turn: 'o' Change ORG, 'e' Change ENT, 's' Change SP,
// 'w' Save (asking before replacing); its other lines answer the prompts and questions.
// Whatever the answers, the commands must keep ENT and SP within 0..FFFF, move every dump
// line by the same distance, never touch a line's bytes, and save what the lines show.

#include "FileImages.h"
#include "FuzzSupport.h"
#include "edit/AddressCommands.h"
#include "load/LoadObjectFile.h"
#include "model/Document.h"
#include "model/HexText.h"
#include "output/WriteExe.h"

#include <algorithm>

namespace {

constexpr char kBlock[] =
    "ADDR  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F\n"
    "-----------------------------------------------------\n"
    "8000  F3 31 FF BF 21 1C 80 CD 14 80 76 C3 00 80 7E B7\n"
    "8010  C8 D3 01 23 18 F8 48 45 4C 4C 4F 00 00 00 00 00\n";

// What no command may change: the line count, every line's text after the address, and
// the distances between the addresses of the lines, as far as they have all four address
// characters (a shorter line keeps only the leading digits that fit).
struct Shape {
    explicit Shape(const DumpList& lines)
    {
        const bool whole = lines.Line(0).size() >= 4;
        for (int i = 0; i < lines.Count(); ++i) {
            const std::string_view line = lines.Line(i);
            tails.emplace_back(line.substr(std::min<std::size_t>(line.size(), 4)));
            offsets.push_back(
                whole && line.size() >= 4 ? (LineAddress(line) - LineAddress(lines.Line(0))) & 0xFFFF : -1);
        }
    }
    bool operator==(const Shape& o) const { return tails == o.tails && offsets == o.offsets; }
    std::vector<std::string> tails;
    std::vector<std::int32_t> offsets;
};

void CheckValues(const Document& doc)
{
    const BlockState& s = doc.state;
    FUZZ_CHECK(s.Org >= 0 && s.Ent >= 0 && s.Ent <= 0xFFFF && s.Sp >= 0 && s.Sp <= 0xFFFF);
    if (doc.lines.Line(0).size() >= 4) {
        FUZZ_CHECK(LineAddress(doc.lines.Line(0)) == (s.Org & 0xFFFF));
    }
}

void CheckSaved(const Document& doc)
{
    std::FILE* file = std::fopen(doc.state.ExePath.c_str(), "rb");
    FUZZ_CHECK(file != nullptr);
    std::vector<std::uint8_t> image(1 << 20);
    image.resize(std::fread(image.data(), 1, image.size(), file));
    std::fclose(file);
    const std::string header = ExeHeader(doc.state.Org, doc.state.Ent, doc.state.Sp);
    std::vector<std::uint8_t> expected(header.begin(), header.end());
    for (const std::string& line : doc.lines.Lines()) {
        AppendHexBytes(LineByteText(line), expected);
    }
    FUZZ_CHECK(image == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    std::deque<std::string> script = SplitLines(input.substr(0, nul));
    const std::string commands = script.front();
    script.pop_front();

    ClearScratchFolder();
    std::string path;
    if (nul == std::string_view::npos) {
        path =
            WriteScratchFile("block.lst", reinterpret_cast<const std::uint8_t*>(kBlock), sizeof kBlock - 1);
    } else {
        const std::string_view file = input.substr(nul + 1);
        path = WriteScratchFile(!file.empty() && file[0] == ':' ? "block.obj" : "block.lst",
                                reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
    }

    FuzzFrontEnd ui(std::move(script));
    Document doc(ui);
    if (LoadObjectFile(doc, path) != LoadOutcome::Loaded) {
        return 0;
    }
    const Shape shape(doc.lines);
    CheckValues(doc);
    for (const char command : commands) {
        switch (command) {
            case 'o':
                ChangeOrg(doc);
                break;
            case 'e':
                ChangeEnt(doc);
                break;
            case 's':
                ChangeSp(doc);
                break;
            case 'w':
                if (WriteExe(doc, false)) {
                    CheckSaved(doc);
                }
                break;
            default:
                continue;
        }
        CheckValues(doc);
        FUZZ_CHECK(Shape(doc.lines) == shape);
    }
    return 0;
}
