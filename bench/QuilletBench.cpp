// How fast the core handles blocks up to the largest the Kestrane can hold: loading an
// object file and a listing, re-basing every dump line, writing the executable, the copy
// text, and seeking bytes in the block as Find Bytes does. Each case runs at several sizes, so the Big-O line
// of the output shows whether the time grows in proportion to the block.

#include "edit/AddressCommands.h"
#include "load/LoadObjectFile.h"
#include "model/Document.h"
#include "model/DumpList.h"
#include "model/HexText.h"
#include "output/ExeImage.h"
#include "output/WriteExe.h"
#include "window/BlockSearch.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

namespace fs = std::filesystem;

namespace {

// Answers the first prompt with `answer` and cancels the rest; every question is
// answered Yes. Shows nothing.
class BenchFrontEnd : public FrontEnd {
public:
    std::string answer;

    void ShowMessage(const std::string&, Icon) override {}
    Answer AskYesNo(const std::string&, Icon, Answer) override { return Answer::Yes; }
    std::string AskText(const std::string&, const std::string&) override { return std::exchange(answer, {}); }
    void SetCommandEnabled(Command, bool) override {}
    void SetStatusText(StatusPanel, const std::string&) override {}
    void SetBusy(bool) override {}
};

// A folder for the generated files, removed when the program ends.
const fs::path& BenchFolder()
{
    struct Folder {
        Folder()
            : path(fs::temp_directory_path() / ("quillet-bench-" + std::to_string(std::random_device()())))
        {
            fs::create_directories(path);
        }
        ~Folder()
        {
            std::error_code ignored;
            fs::remove_all(path, ignored);
        }
        fs::path path;
    };
    static Folder folder;
    return folder.path;
}

std::string Hex2(unsigned value)
{
    return FormatHex4(value).substr(2);
}

// `count` bytes of a fixed pseudo-random block.
std::vector<std::uint8_t> BlockBytes(std::size_t count)
{
    std::mt19937 random(2024);
    std::vector<std::uint8_t> bytes(count);
    for (std::uint8_t& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    return bytes;
}

// An Intel HEX object file of `records` data records of 16 bytes from address 0000, and
// an end-of-file record, as Tasm writes it.
std::string ObjectFileText(int records)
{
    const std::vector<std::uint8_t> bytes = BlockBytes(static_cast<std::size_t>(records) * 16);
    std::string text;
    for (int r = 0; r < records; ++r) {
        const unsigned address = static_cast<unsigned>(r) * 16;
        unsigned sum = 16 + (address >> 8) + (address & 0xFF);
        text += ":10" + FormatHex4(address) + "00";
        for (int i = 0; i < 16; ++i) {
            const std::uint8_t b = bytes[static_cast<std::size_t>(r) * 16 + static_cast<std::size_t>(i)];
            sum += b;
            text += Hex2(b);
        }
        text += Hex2((256 - sum % 256) % 256) + "\n";
    }
    return text + ":00000001FF\n";
}

// The dump lines of a listing: "8000  C3 00 80 ...", 16 bytes each, from 0000 upwards.
std::vector<std::string> DumpLines(int count)
{
    const std::vector<std::uint8_t> bytes = BlockBytes(static_cast<std::size_t>(count) * 16);
    std::vector<std::string> lines;
    for (int n = 0; n < count; ++n) {
        std::string line = FormatHex4(static_cast<unsigned>(n) * 16) + " ";
        for (int i = 0; i < 16; ++i) {
            line += " " + Hex2(bytes[static_cast<std::size_t>(n) * 16 + static_cast<std::size_t>(i)]);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// A listing: some source lines, then the dump section with `count` lines.
std::string ListingText(int count)
{
    std::string text = "0001   0000 C3 00 80      jp 8000h\n\n";
    text += "ADDR  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F\n" + std::string(53, '-') + "\n";
    for (const std::string& line : DumpLines(count)) {
        text += line + "\n";
    }
    return text + "\n\ntasm: Number of errors = 0\n";
}

// Writes a generated file once per name and returns its path and size.
std::pair<std::string, std::size_t> GeneratedFile(const std::string& name, const std::string& text)
{
    const std::string path = (BenchFolder() / name).string();
    if (!fs::exists(path)) {
        std::ofstream(path, std::ios::binary) << text;
    }
    return {path, text.size()};
}

void LoadFile(benchmark::State& state, const std::string& path, std::size_t size)
{
    BenchFrontEnd ui;
    Document doc(ui);
    for (auto _ : state) {
        if (LoadObjectFile(doc, path) != LoadOutcome::Loaded) {
            state.SkipWithError("the generated file did not load");
            return;
        }
        benchmark::DoNotOptimize(doc.lines.Count());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
    state.SetComplexityN(state.range(0));
}

// A document holding `lines` dump lines, as a load leaves it.
void LoadLines(Document& doc, int lines)
{
    doc.lines.Clear();
    for (std::string& line : DumpLines(lines)) {
        doc.lines.Append(std::move(line));
    }
    doc.state.Org = 0;
    doc.state.Ent = 0;
    doc.state.Sp = 0x3FFF;
    doc.state.BlockBytes = lines * 16;
}

// LoadObjectFile of an object file of 16-byte records; 4096 records make a 64K block,
// 32767 the most dump lines a list holds.
void BM_LoadObjectFile(benchmark::State& state)
{
    const int records = static_cast<int>(state.range(0));
    const auto [path, size] =
        GeneratedFile("block" + std::to_string(records) + ".obj", ObjectFileText(records));
    LoadFile(state, path, size);
}
BENCHMARK(BM_LoadObjectFile)
    ->Arg(256)
    ->Arg(1024)
    ->Arg(4096)
    ->Arg(32767)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

// LoadObjectFile of a listing whose dump section holds the given number of lines.
void BM_LoadListing(benchmark::State& state)
{
    const int lines = static_cast<int>(state.range(0));
    const auto [path, size] = GeneratedFile("block" + std::to_string(lines) + ".lst", ListingText(lines));
    LoadFile(state, path, size);
}
BENCHMARK(BM_LoadListing)
    ->Arg(1024)
    ->Arg(8192)
    ->Arg(32767)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

// Change ORG: every dump line's address rewritten. ORG alternates between two values,
// so each run moves every line.
void BM_ChangeOrg(benchmark::State& state)
{
    BenchFrontEnd ui;
    Document doc(ui);
    LoadLines(doc, static_cast<int>(state.range(0)));
    bool up = true;
    for (auto _ : state) {
        ui.answer = up ? "&H4000" : "&H0";
        up = !up;
        ChangeOrg(doc);
    }
    if (doc.lines.Line(0).compare(0, 4, up ? "0000" : "4000") != 0) {
        state.SkipWithError("the block did not move");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(doc.lines.TextSize()));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ChangeOrg)
    ->Arg(1024)
    ->Arg(8192)
    ->Arg(32767)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

// WriteExe of a block of the given number of bytes (16 per dump line), replacing the
// file each time; bytes per second counts the executable written.
void BM_WriteExe(benchmark::State& state)
{
    BenchFrontEnd ui;
    Document doc(ui);
    LoadLines(doc, static_cast<int>(state.range(0) / 16));
    doc.state.ExePath = (BenchFolder() / "BLOCK.EXE").string();
    for (auto _ : state) {
        if (!WriteExe(doc, true)) {
            state.SkipWithError("the executable was not written");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * (512 + state.range(0)));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WriteExe)
    ->Arg(4096)
    ->Arg(16384)
    ->Arg(65536)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

// The executable's bytes built from the dump lines, without writing them: the header and
// every line's hex pairs parsed back into bytes.
void BM_BuildExeImage(benchmark::State& state)
{
    BenchFrontEnd ui;
    Document doc(ui);
    LoadLines(doc, static_cast<int>(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state) {
        const std::vector<std::uint8_t> image = BuildExeImage(doc.state, doc.lines);
        size = image.size();
        benchmark::DoNotOptimize(image.data());
    }
    if (size != 512 + static_cast<std::size_t>(state.range(0)) * 16) {
        state.SkipWithError("the image does not hold the block");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_BuildExeImage)
    ->Arg(1024)
    ->Arg(8192)
    ->Arg(32767)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

// The copy text of every dump line (no selection).
void BM_SelectionAsText(benchmark::State& state)
{
    BenchFrontEnd ui;
    Document doc(ui);
    LoadLines(doc, static_cast<int>(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string text = SelectionAsText(doc.lines, {});
        size = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SelectionAsText)
    ->Arg(1024)
    ->Arg(8192)
    ->Arg(32767)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

// Find Bytes over every dump line for bytes the block does not hold, forward and then
// backward: each search looks at every byte of the block, its worst case.
void BM_FindInBlock(benchmark::State& state)
{
    BenchFrontEnd ui;
    Document doc(ui);
    LoadLines(doc, static_cast<int>(state.range(0)));
    const std::vector<std::uint8_t> absent = {0xDE, 0xAD, 0xBE, 0xEF, 0xFE, 0xED, 0xFA, 0xCE};
    for (auto _ : state) {
        if (FindInBlock(doc.lines, absent, 0, SearchDirection::Forward) ||
            FindInBlock(doc.lines, absent, 0, SearchDirection::Backward)) {
            state.SkipWithError("the bytes sought are in the block");
        }
    }
    state.SetBytesProcessed(state.iterations() * 2 * state.range(0) * 16);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_FindInBlock)
    ->Arg(1024)
    ->Arg(8192)
    ->Arg(32767)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
