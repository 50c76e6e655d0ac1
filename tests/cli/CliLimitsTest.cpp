// quillet-cli at the limits of the machine (Linux only): a write that fails midway must
// leave an earlier executable as it was, and inputs far larger than any assembler writes
// must be read without holding more than the dump lines kept.

#include "CliTestSupport.h"
#include "LimitedRun.h"

#include <fstream>

namespace {

#if defined(__SANITIZE_ADDRESS__)
#define QUILLET_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLET_ASAN 1
#endif
#endif

// The most a run may hold: the program, a 64K read buffer and at most 32767 dump lines,
// far below the inputs here (20 MB and more). AddressSanitizer adds its shadow memory and
// keeps freed blocks for a while.
#ifdef QUILLET_ASAN
constexpr long kPeakBoundKb = 32 * 1024;
#else
constexpr long kPeakBoundKb = 16 * 1024;
#endif

// Writes `head`, `count` copies of `line` and `tail` a piece at a time, so the test itself
// never holds the file.
void WriteRepeated(const std::string& path, const std::string& head, const std::string& line,
                   std::size_t count, const std::string& tail = "")
{
    std::ofstream out(path, std::ios::binary);
    out << head;
    std::string piece;
    for (std::size_t i = 0; i < count; i += 4096) {
        piece.clear();
        for (std::size_t j = i; j < count && j < i + 4096; ++j) {
            piece += line;
        }
        out << piece;
    }
    out << tail;
}

struct BigInput {
    const char* name;
    std::string head;
    std::string line;
    std::size_t count;
    std::string tail;
    int status;
    std::string err;  // after the file name
    std::size_t exeSize;
};

class CliLimits : public CliTest {
protected:
    LimitedRun Run(const std::vector<std::string>& args, std::uint64_t fileSizeLimit = 0)
    {
        return RunLimited(QUILLET_CLI, args, dir.Path().string(), fileSizeLimit);
    }

    void Check(const BigInput& c)
    {
        SCOPED_TRACE(c.name + (": " + c.err));
        WriteRepeated(dir / c.name, c.head, c.line, c.count, c.tail);
        const LimitedRun run = Run({c.name});
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.err, c.err.empty() ? "" : c.name + c.err);
        EXPECT_EQ(ReadFileBytes(dir / "BIG.EXE").size(), c.exeSize);
        if (CanMeasurePeakMemory()) {
            EXPECT_GT(run.peakKb, 0);
            EXPECT_LT(run.peakKb, kPeakBoundKb);
        }
        std::filesystem::remove(dir / c.name);
        std::filesystem::remove(dir / "BIG.EXE");
    }
};

const std::string kDump =
    "ADDR  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F\n" + std::string(53, '-') + "\n";

}  // namespace

TEST_F(CliLimits, AWriteThatFailsMidwayLeavesTheEarlierExecutableAndNoTemporaryFile)
{
    dir.Write("game.lst", ListingWithDumpLines(2048));  // a 32K block
    dir.Write("GAME.EXE", "an earlier build");
    dir.Write("OUT.EXE", "another earlier build");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"game.lst"}, "GAME.EXE"},
        {{"-o", "OUT.EXE", "game.lst"}, "OUT.EXE"},
    };
    for (const auto& [args, exe] : cases) {
        SCOPED_TRACE(exe);
        // As under `ulimit -f 16`: quillet-cli ignores SIGXFSZ, so its write fails and is
        // reported instead of ending the program with its temporary file left behind.
        const LimitedRun run = Run(args, 16384);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "game.lst: Cannot write '" + exe + "': File too large. File not saved.\n");
    }
    EXPECT_EQ(ReadFileBytes(dir / "GAME.EXE"), "an earlier build");
    EXPECT_EQ(ReadFileBytes(dir / "OUT.EXE"), "another earlier build");
    EXPECT_EQ(dir.FileNames(), (std::vector<std::string>{"GAME.EXE", "OUT.EXE", "game.lst"}));

    // With room to write, the same conversion replaces the earlier file.
    EXPECT_EQ(Run({"game.lst"}).status, 0);
    EXPECT_EQ(ReadFileBytes(dir / "GAME.EXE").size(), 512u + 2048 * 16);
}

TEST_F(CliLimits, A100MegabyteLineIsMeasuredNotHeld)
{
    const std::size_t size = 100u << 20;
    Check({"big.obj", ":", "0", size, "", 1,
           ":1: Object file is invalid. File read aborted.\nbig.obj: Nothing saved.\n", 0});
    // It starts like the column header, so the reader must look at it, and could keep it.
    Check({"big.lst", "ADDR  00 01 02 03", " 04", size / 3, "", 1, ": No dump lines found. Nothing saved.\n",
           0});
    // Inside a dump section: a line that long is no dump line, and is not kept either.
    Check({"big.lst", kDump, "0", size / 5, "\n8000  00\n", 1,
           ":3: Dump line longer than 4096 characters. File read aborted.\nbig.lst: Nothing saved.\n", 0});
}

TEST_F(CliLimits, AMillionShortLinesKeepOnlyTheirDumpLines)
{
    const std::size_t million = 1000000;
    // Listing text, then one dump line.
    Check({"big.lst", "", "0001   8000 00         nop\n", million, kDump + "8000  C3 00 80\n", 0, "", 515});
    // Records that carry no bytes, then one data record.
    Check({"big.obj", "", ":00000001FF\n", million, ":0180000080FF\n", 0, "", 513});
    // Dump lines past what the list holds: refused at the first one too many.
    Check({"big.lst", kDump, "8000  00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00\n", million, "", 1,
           ":32770: File holds more than 32767 dump lines. File read aborted.\n"
           "big.lst: Nothing saved.\n",
           0});
}

#ifndef QUILLET_ASAN  // AddressSanitizer reserves more address space than any limit leaves
TEST_F(CliLimits, TheLargestListingTakesLittleMoreThanItsTextAndRunningOutOfMemoryIsReported)
{
    // The most a listing may hold: 32767 dump lines of 4096 characters, 128 MiB of text.
    WriteRepeated(dir / "big.lst", kDump, std::string(4096, '0') + "\n", 32767);
    dir.Write("BIG.EXE", "an earlier build");

    // Read where only a quarter of that fits: said, not fatal.
    const LimitedRun starved = RunLimited(QUILLET_CLI, {"big.lst"}, dir.Path().string(), 0, 32u << 20);
    EXPECT_EQ(starved.status, 1);
    EXPECT_EQ(starved.err, "big.lst: Out of memory. Nothing saved.\n");
    EXPECT_EQ(ReadFileBytes(dir / "BIG.EXE"), "an earlier build");

    // Read where it fits: the text once, never a copy of it beside a buffer twice as large.
    const LimitedRun run = Run({"-o", "/dev/null", "big.lst"});
    EXPECT_EQ(run.status, 0);
    if (CanMeasurePeakMemory()) {
        EXPECT_LT(run.peakKb, 150 * 1000);
    }
}
#endif
