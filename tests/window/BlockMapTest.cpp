// The block map's geometry and tooltips, for blocks at 0000, wrapping past FFFF, over
// 64K and with dump lines that do not follow on.

#include "convert/FollowOnWarnings.h"
#include "model/DumpList.h"
#include "model/HexText.h"
#include "window/BlockMapTips.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// A map whose strip has a pixel column for every address, and one that shows 64 addresses
// a column (from x = 6: the strip is inset by a third of the 15-pixel text row, and one).
const BlockMapGeometry kFine(0x10001 + 12, 15);
const BlockMapGeometry kCoarse(1024 + 1 + 12, 15);

// Dump lines, each at an address with a number of bytes, loaded at the first one's
// address; ENT and SP as a load sets them unless given.
MappedBlock Block(const std::vector<std::pair<unsigned, int>>& lines, std::int32_t ent = -1,
                  std::int32_t sp = -1)
{
    DumpList list;
    for (const auto& [address, count] : lines) {
        std::string line = FormatHex4(address) + " ";
        for (int i = 0; i < count; ++i) {
            line += " 5A";
        }
        list.Append(line);
    }
    const auto org = static_cast<std::int32_t>(lines.front().first);
    return {LayOutBlock(list, org), ent < 0 ? org : ent, sp < 0 ? (org / 0x4000 * 0x4000 + 0x3FFF) : sp};
}

// The dump lines of a block of `bytes` bytes from `org` that all follow on.
std::vector<std::pair<unsigned, int>> Contiguous(unsigned org, int bytes)
{
    std::vector<std::pair<unsigned, int>> lines;
    for (int offset = 0; offset < bytes; offset += 16) {
        lines.emplace_back((org + static_cast<unsigned>(offset)) & 0xFFFF, 16);
    }
    return lines;
}

TEST(BlockMapGeometry, EveryAddressShowsInTheColumnWhoseFirstAddressIsAtMostIt)
{
    for (const int width : {97, 1037, 0x10001 + 12}) {
        const BlockMapGeometry map(width, 15);
        EXPECT_EQ(map.XOf(0), map.Strip().left) << width;
        EXPECT_EQ(map.XOf(0x10000), map.Strip().Right()) << width;
        for (std::int32_t address = 0; address < 0x10000; ++address) {
            const int x = map.XOf(address);
            ASSERT_LE(map.AddressAt(x), address) << width;
            ASSERT_TRUE(x == map.XOf(0xFFFF) || address < map.AddressAt(x + 1)) << width << " " << address;
        }
    }
}

TEST(BlockMapGeometry, PiecesAreWhereTheBytesLoadAndAFewPixelsAtLeast)
{
    struct Case {
        const char* name;
        MappedBlock block;
        std::vector<StripPiece> pieces;  // on the coarse map: x = 6 + address / 64
    };
    const Case cases[] = {
        {"16 bytes at 0000", Block({{0x0000, 16}}), {{6, 5, false}}},
        {"wrapping past FFFF", Block(Contiguous(0xFF00, 0x200)), {{1026, 5, false}, {6, 5, false}}},
        {"over 64K",
         Block(Contiguous(0x8000, 0x10010)),
         {{518, 512, false}, {6, 512, false}, {518, 5, true}}},
        {"no bytes", Block({{0x8000, 0}}), {}},
    };
    for (const Case& c : cases) {
        const std::vector<StripPiece> pieces = kCoarse.Pieces(c.block.layout);
        ASSERT_EQ(pieces.size(), c.pieces.size()) << c.name;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            EXPECT_EQ(pieces[i].left, c.pieces[i].left) << c.name << " " << i;
            EXPECT_EQ(pieces[i].width, c.pieces[i].width) << c.name << " " << i;
            EXPECT_EQ(pieces[i].loadedTwice, c.pieces[i].loadedTwice) << c.name << " " << i;
        }
    }

    // Dump lines that jump: ticks where the bytes of the line after each jump load.
    const MappedBlock jumps = Block({{0x8000, 16}, {0xC000, 16}, {0x4000, 16}});
    EXPECT_EQ(kFine.FollowOnTicks(jumps.layout), std::vector<int>({kFine.XOf(0x8010), kFine.XOf(0x8020)}));
    EXPECT_EQ(kCoarse.FollowOnTicks(jumps.layout), std::vector<int>({518}));  // one column, once
}

TEST(BlockMapToolTip, SaysWhatLoadsThereAndWhichMarkersAreWithinReach)
{
    const MappedBlock jumps = Block({{0x8000, 16}, {0xC000, 16}, {0x4000, 16}});
    const MappedBlock close = Block(Contiguous(0x8000, 48), 0x8001, 0x8003);
    const MappedBlock wrapping = Block(Contiguous(0xFF00, 0x200));
    const MappedBlock over64K = Block(Contiguous(0x8000, 0x10010));
    struct Case {
        const char* name;
        const MappedBlock* block;
        const BlockMapGeometry& map;
        std::int32_t at;  // the tooltip is asked for at this address's column
        std::string tip;
    };
    const Case cases[] = {
        {"nothing loaded", nullptr, kFine, 0x1234, "1234, in the 16K page at 0000\nNo block loaded."},
        {"a jump within reach", &jumps, kFine, 0x8012,
         "8010, in the 16K page at 8000\nByte 17 of the block's 48, which its dump line puts at C000.\nAt "
         "8010: " +
             NotFollowingOnText(jumps.layout, 1)},
        {"SP outside the block", &jumps, kFine, 0xBFFE,
         "BFFF, in the 16K page at 8000\nNot in the block.\nSP, the initial stack pointer: BFFF."},
        {"ENT and SP both within reach, ENT nearest first", &close, kFine, 0x8002,
         "8001, in the 16K page at 8000\nByte 2 of the block's 48.\nENT, the entry address: 8001.\n"
         "SP, the initial stack pointer: 8003."},
        {"past FFFF, from 0000", &wrapping, kFine, 0x0080,
         "0080, in the 16K page at 0000\nByte 385 of the block's 512."},
        {"over 64K", &over64K, kFine, 0x8008,
         "8008, in the 16K page at 8000\nByte 9 of the block's 65552.\n"
         "Loaded more than once: the block holds more than 64K."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BlockMapToolTip(c.block, c.map, c.map.XOf(c.at)), c.tip) << c.name;
    }

    // Eight one-byte lines far apart, in one column of the coarse map: five places told,
    // then how many more.
    std::vector<std::pair<unsigned, int>> apart;
    for (unsigned i = 0; i < 8; ++i) {
        apart.emplace_back(0x8000 + i * 0x1000, 1);
    }
    const MappedBlock many = Block(apart);
    std::string tip =
        "8000, in the 16K page at 8000\nByte 1 of the block's 8.\nENT, the entry address: 8000.";
    for (std::size_t run = 1; run <= 5; ++run) {
        tip += "\nAt " + FormatHex4(0x8000 + static_cast<unsigned>(run)) + ": " +
               NotFollowingOnText(many.layout, run);
    }
    EXPECT_EQ(BlockMapToolTip(&many, kCoarse, 518), tip + "\nAnd 2 more dump lines that do not follow on.");
}

}  // namespace
