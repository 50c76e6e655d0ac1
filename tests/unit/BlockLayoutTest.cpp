// Where the block's bytes load: the runs of dump lines that follow on from each other,
// and the addresses the bytes fill from ORG on.

#include "model/BlockLayout.h"
#include "model/DumpList.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// A dump line at `address` holding `count` bytes, as an object file's record gives it.
std::string DumpLine(unsigned address, int count)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04X ", address & 0xFFFFu);
    std::string line = text;
    for (int i = 0; i < count; ++i) {
        line += " A5";
    }
    return line;
}

struct Run {
    int firstLine;
    std::int32_t address;
    std::int64_t offset;
    std::int64_t bytes;
};

struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::int32_t org;
    std::vector<Run> runs;
    std::vector<AddressRange> loaded;
    bool pastFFFF;
    bool over64K;
};

std::vector<std::string> LinesOf16Bytes(unsigned from, int count)
{
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back(DumpLine(from + 16u * static_cast<unsigned>(i), 16));
    }
    return lines;
}

}  // namespace

TEST(BlockLayout, RunsOfDumpLinesThatFollowOnAndWhereTheirBytesLoad)
{
    const Case cases[] = {
        // Spaces around the bytes and text after them count as the writer reads them:
        // "55 55 ; fill" is four bytes.
        {"contiguous",
         {DumpLine(0x8000, 16), "8010  01 02 ", "8012  55 55 ; fill"},
         0x8000,
         {{0, 0x8000, 0, 22}},
         {{0x8000, 0x8015}},
         false,
         false},
        {"gaps, as split.obj has them",
         {DumpLine(0x8000, 15), DumpLine(0x9000, 20), DumpLine(0x9100, 3)},
         0x8000,
         {{0, 0x8000, 0, 15}, {1, 0x9000, 15, 20}, {2, 0x9100, 35, 3}},
         {{0x8000, 0x8025}},
         false,
         false},
        {"an overlap",
         {DumpLine(0x8000, 16), DumpLine(0x8008, 8), DumpLine(0x8010, 1)},
         0x8000,
         {{0, 0x8000, 0, 16}, {1, 0x8008, 16, 9}},
         {{0x8000, 0x8018}},
         false,
         false},
        {"records out of order, as backwards.obj has them",
         {DumpLine(0x9000, 24), DumpLine(0x9018, 16), DumpLine(0x8000, 24), DumpLine(0x8018, 6)},
         0x9000,
         {{0, 0x9000, 0, 40}, {2, 0x8000, 40, 30}},
         {{0x9000, 0x9045}},
         false,
         false},
        {"lines wrapping from FFFF to 0000 follow on; ORG keeps its low 16 bits",
         {DumpLine(0xFFF0, 16), DumpLine(0x0000, 4)},
         0x1FFF8,
         {{0, 0xFFF0, 0, 20}},
         {{0xFFF8, 0xFFFF}, {0x0000, 0x000B}},
         true,
         false},
        {"a block ending exactly at FFFF",
         {DumpLine(0xFFF0, 16)},
         0xFFF0,
         {{0, 0xFFF0, 0, 16}},
         {{0xFFF0, 0xFFFF}},
         false,
         false},
        {"empty records belong to no run and break none",
         {"7000  ", DumpLine(0x8000, 4), "8004  ", "9000  ", DumpLine(0x8004, 2), "0000"},
         0x7000,
         {{1, 0x8000, 0, 6}},
         {{0x7000, 0x7005}},
         false,
         false},
        {"no bytes at all", {"8000  ", "8000"}, 0x8000, {}, {}, false, false},
        {"more than 64K",
         LinesOf16Bytes(0x0100, 4097),
         0x0100,
         {{0, 0x0100, 0, 65552}},
         {{0x0100, 0xFFFF}, {0x0000, 0x00FF}},
         true,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DumpList lines;
        for (const std::string& line : c.lines) {
            lines.Append(line);
        }
        const BlockLayout layout = LayOutBlock(lines, c.org);
        ASSERT_EQ(layout.runs.size(), c.runs.size());
        std::int64_t bytes = 0;
        for (std::size_t i = 0; i < c.runs.size(); ++i) {
            const DumpLineRun& run = layout.runs[i];
            EXPECT_EQ(run.firstLine, c.runs[i].firstLine) << "run " << i;
            EXPECT_EQ(run.address, c.runs[i].address) << "run " << i;
            EXPECT_EQ(run.offset, c.runs[i].offset) << "run " << i;
            EXPECT_EQ(run.bytes, c.runs[i].bytes) << "run " << i;
            bytes += run.bytes;
        }
        EXPECT_EQ(layout.bytes, bytes);
        EXPECT_EQ(LoadedRanges(layout), c.loaded);
        EXPECT_EQ(layout.RunsPastFFFF(), c.pastFFFF);
        EXPECT_EQ(layout.Over64K(), c.over64K);
    }
}

TEST(BlockLayout, ARunEndsAtItsLastByteAndLoadsFromOrgOn)
{
    DumpList lines;
    lines.Append(DumpLine(0xFFF8, 8));
    lines.Append(DumpLine(0x9000, 17));
    const BlockLayout layout = LayOutBlock(lines, 0x8000);
    EXPECT_EQ(layout.runs[0].LastByteAddress(), 0xFFFF);
    EXPECT_EQ(layout.runs[1].LastByteAddress(), 0x9010);
    EXPECT_EQ(layout.LoadAddress(layout.runs[1].offset), 0x8008);
    EXPECT_EQ(LayOutBlock(lines, 0xFFFC).LoadAddress(layout.runs[1].offset), 0x0004);
}
