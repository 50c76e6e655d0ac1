// The block map's geometry and tooltips, for blocks at 0000, wrapping past FFFF, over
// 64K and with dump lines that do not follow on.

#include "convert/FollowOnWarnings.h"
#include "model/DumpList.h"
#include "model/HexText.h"
#include "window/BlockMapTips.h"
#include "window/TextWrap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// A map whose strip has a pixel column for every address, and one that shows 64 addresses
// a column (from x = 7: the strip is inset by a third of the 15-pixel text row, and one,
// and its frame takes a column on either side).
const BlockMapGeometry kFine(0x10000 + 2 + 12, 15);
const BlockMapGeometry kCoarse(1024 + 2 + 12, 15);

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

// split.obj: 15 bytes at 8000, 20 at 9000, 3 at 9100, loaded one after another; and
// backwards.obj: 40 bytes at 9000, then 30 at 8000.
const MappedBlock kSplit = Block({{0x8000, 15}, {0x9000, 20}, {0x9100, 3}});
const MappedBlock kBackwards = Block({{0x9000, 24}, {0x9018, 16}, {0x8000, 24}, {0x8018, 6}});

// Every text 7 pixels a character wide.
int TextWidth7(const std::string& text)
{
    return 7 * static_cast<int>(text.size());
}

std::vector<std::string> Texts(const std::vector<MapLabel>& labels)
{
    std::vector<std::string> texts;
    for (const MapLabel& label : labels) {
        texts.push_back(label.text);
    }
    return texts;
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

// The tooltips over the column `x`, which shows `address`, above the overview's strip and
// on it: each names that address, and a marker exactly where the point is on its pixels.
void ExpectMarkersOnTheirPixels(const MappedBlock& block, const BlockMapGeometry& map, int x,
                                std::int32_t address, const std::string& where)
{
    const PixelRect strip = map.Strip();
    const int size = map.MarkerSize();
    const std::string above = BlockMapToolTip(&block, map, x, strip.top - 1);
    const std::string on = BlockMapToolTip(&block, map, x, strip.Bottom());
    for (const std::string& tip : {above, on}) {
        ASSERT_EQ(tip.substr(0, 5), FormatHex4(static_cast<std::uint32_t>(address)) + ",") << where << x;
    }
    ASSERT_EQ(above.find("ENT,") != std::string::npos, std::abs(x - map.XOf(block.ent)) <= size)
        << where << x;
    ASSERT_EQ(above.find("SP,") != std::string::npos, std::abs(x - map.XOf(block.sp)) <= size) << where << x;
    ASSERT_EQ(above.find("At ") != std::string::npos, false) << where << x;
    ASSERT_EQ(on.find("ENT,") != std::string::npos || on.find("SP,") != std::string::npos, false)
        << where << x;
    for (std::size_t run = 1; run < block.layout.runs.size(); ++run) {
        const std::int32_t at = block.layout.LoadAddress(block.layout.runs[run].offset);
        const int tick = map.XOf(at);
        ASSERT_EQ(on.find("At " + FormatHex4(static_cast<std::uint32_t>(at)) + ":") != std::string::npos,
                  x >= tick - 1 && x <= tick)
            << where << x;
    }
}

// The property the map keeps at every width and scale: over any pixel column, the tooltip
// names an address drawn in that column, or, where a small piece is widened to show, the
// piece's byte nearest it; it is in the block exactly where the column is filled, and a 16K
// page's first address where the page's line is drawn on an empty column. The same for the
// detail row's bytes. A marker near the column changes none of that: the tooltip names it
// besides, exactly where the pointer is on the marker's own pixels.
TEST(BlockMapGeometry, TheTooltipNamesWhatIsDrawnInEveryColumnAtAnyWidthAndScale)
{
    const std::pair<const char*, std::optional<MappedBlock>> blocks[] = {
        {"nothing loaded", std::nullopt},
        {"64 bytes from FFF0", Block(Contiguous(0xFFF0, 64))},
        {"16 bytes at the end", Block(Contiguous(0xFFF0, 16))},
        {"records far apart", kSplit},
        {"over 64K", Block(Contiguous(0x8000, 0x10010))},
        // ENT just before the block and SP at its last byte, the block's end and its places
        // within a few pixels of them and of the 16K page's line.
        {"markers at its edges", Block({{0x8000, 15}, {0x9000, 20}, {0x9100, 3}}, 0x7FFF, 0x8025)},
    };
    std::vector<int> widths;
    for (int width = 150; width < 3840; width += 37) {  // the smallest map to a 4K screen
        widths.push_back(width);
    }
    widths.push_back(3840);
    for (const int dpi : {96, 120, 144, 192}) {
        const int rowHeight = (15 * dpi + 48) / 96;
        for (const int width : widths) {
            const BlockMapGeometry map(width, rowHeight);
            const PixelRect strip = map.Strip();
            const std::vector<MapLabel> pages = map.PageLabels();
            for (const auto& [name, block] : blocks) {
                const std::string where = std::string(name) + " at " + std::to_string(width) + ", " +
                                          std::to_string(dpi) + " dpi, x = ";
                const BlockLayout* layout = block ? &block->layout : nullptr;
                const std::vector<StripPiece> pieces =
                    layout ? map.Pieces(*layout) : std::vector<StripPiece>();
                for (const StripPiece& piece : pieces) {
                    ASSERT_TRUE(piece.left > strip.left && piece.left + piece.width - 1 < strip.Right())
                        << where;
                }
                for (int x = strip.left + 1; x < strip.Right(); ++x) {
                    const std::int32_t address = map.AddressShownAt(x, layout);
                    const auto drawn =
                        std::find_if(pieces.begin(), pieces.end(), [x](const StripPiece& piece) {
                            return !piece.loadedTwice && x >= piece.left && x < piece.left + piece.width;
                        });
                    const bool filled = drawn != pieces.end();
                    const int named = map.XOf(address);
                    ASSERT_TRUE(named == x ||
                                (filled && named >= drawn->left && named < drawn->left + drawn->width))
                        << where << x;
                    ASSERT_EQ(filled, layout != nullptr && OffsetOf(*layout, address) < layout->bytes)
                        << where << x;
                    for (std::size_t page = 0; page < pages.size() && !filled; ++page) {
                        if (pages[page].left == x) {
                            ASSERT_EQ(address, static_cast<std::int32_t>(page * 0x4000)) << where << x;
                        }
                    }
                    // Near a marker in every column, elsewhere in one column of 64: the
                    // tooltips take their time.
                    if (layout != nullptr && block->ent == 0x7FFF &&
                        (x % 64 == 0 || std::abs(x - map.XOf(0x8000)) <= 2 * map.MarkerSize() + 2 ||
                         std::abs(x - map.XOf(0x8025)) <= 2 * map.MarkerSize() + 2)) {
                        ExpectMarkersOnTheirPixels(*block, map, x, address, where);
                    }
                }
                if (layout == nullptr) {
                    continue;
                }
                const PixelRect detail = map.DetailStrip();
                const std::optional<StripPiece> twice = map.DetailLoadedTwice(*layout);
                for (int x = detail.left + 1; x < detail.Right(); ++x) {
                    const std::int64_t offset = map.DetailOffsetAt(*layout, x);
                    const int from = map.DetailXOf(*layout, offset);
                    ASSERT_TRUE(from == x || (from < x && x < map.DetailXOf(*layout, offset + 1)))
                        << where << x;
                    ASSERT_TRUE(offset == 0 || offset == 0x10000 || map.DetailXOf(*layout, offset - 1) < x)
                        << where << x;
                    ASSERT_EQ(twice && x >= twice->left && x < twice->left + twice->width, offset >= 0x10000)
                        << where << x;
                }
            }
        }
    }

    // The tooltips name those addresses: the empty map's where 8000's line is drawn, and a
    // block loading from FFF0 on from 0000 where its second piece is drawn.
    for (const int width : {555, 1021, 1500}) {
        const BlockMapGeometry map(width, 15);
        EXPECT_EQ(BlockMapToolTip(nullptr, map, map.XOf(0x8000), map.Strip().top),
                  "8000, in the 16K page at 8000\nNo block loaded.")
            << width;
    }
    const MappedBlock wrapping = Block(Contiguous(0xFFF0, 64), 0x8000, 0x8000);
    const BlockMapGeometry map(1200, 15);
    EXPECT_EQ(BlockMapToolTip(&wrapping, map, map.XOf(0x0000), map.Strip().top).substr(0, 40),
              "0000, in the 16K page at 0000\nByte 17 of");
}

TEST(BlockMapGeometry, PiecesFillTheColumnsOfTheAddressesTheBlockLoads)
{
    struct Case {
        const char* name;
        MappedBlock block;
        std::vector<StripPiece> pieces;  // on the coarse map: x = 7 + address / 64
    };
    const Case cases[] = {
        // A piece of fewer columns than the least is widened: to the right, or to the left
        // at the strip's end.
        {"16 bytes at 0000", Block({{0x0000, 16}}), {{7, 5, false}}},
        {"wrapping past FFFF", Block(Contiguous(0xFF00, 0x200)), {{1026, 5, false}, {7, 5, false}}},
        {"over 64K",
         Block(Contiguous(0x8000, 0x10010)),
         {{519, 512, false}, {7, 512, false}, {519, 5, true}}},
        {"a page of 16K", Block(Contiguous(0x4000, 0x4000)), {{263, 256, false}}},
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
    // Rows too low for a third of their height to make four columns: a piece is still four.
    EXPECT_EQ(BlockMapGeometry(1034, 9).Pieces(Block({{0x0000, 16}}).layout).at(0).width, 4);

    // Dump lines that jump: ticks where the bytes of the line after each jump load.
    const MappedBlock jumps = Block({{0x8000, 16}, {0xC000, 16}, {0x4000, 16}});
    EXPECT_EQ(kFine.FollowOnTicks(jumps.layout), std::vector<int>({kFine.XOf(0x8010), kFine.XOf(0x8020)}));
    EXPECT_EQ(kCoarse.FollowOnTicks(jumps.layout), std::vector<int>({519}));  // one column, once
}

TEST(BlockMapToolTip, SaysWhatLoadsThereAndTheMarkersThePointerIsOn)
{
    const MappedBlock jumps = Block({{0x8000, 16}, {0xC000, 16}, {0x4000, 16}});
    const MappedBlock close = Block(Contiguous(0x8000, 48), 0x8001, 0x8003);
    const MappedBlock wrapping = Block(Contiguous(0xFF00, 0x200));
    const MappedBlock over64K = Block(Contiguous(0x8000, 0x10010));
    MappedBlock labelled = Block(Contiguous(0x8000, 48));
    labelled.labels = {{"start", 0x8000}, {"putc", 0x8010}, {"ev\x1b[2J", 0x802F}};
    struct Case {
        const char* name;
        const MappedBlock* block;
        const BlockMapGeometry& map;
        std::int32_t at;  // the tooltip is asked for at this address's column
        bool aboveStrip;  // in the row of ENT's and SP's triangles, else on the strip
        std::string tip;
    };
    const Case cases[] = {
        {"nothing loaded", nullptr, kFine, 0x1234, false, "1234, in the 16K page at 0000\nNo block loaded."},
        {"on a jump's tick", &jumps, kFine, 0x8010, false,
         "8010, in the 16K page at 8000\nByte 17 of the block's 48, which its dump line puts at C000.\nAt "
         "8010: " +
             NotFollowingOnText(jumps.layout, 1)},
        {"beside a jump's tick", &jumps, kFine, 0x8012, false,
         "8012, in the 16K page at 8000\nByte 19 of the block's 48, which its dump line puts at C002."},
        {"on SP's triangle, outside the block", &jumps, kFine, 0xBFFE, true,
         "BFFE, in the 16K page at 8000\nNot in the block.\nSP, the initial stack pointer: BFFF."},
        {"below SP's triangle, on the strip", &jumps, kFine, 0xBFFE, false,
         "BFFE, in the 16K page at 8000\nNot in the block."},
        {"on both ENT's and SP's triangles", &close, kFine, 0x8002, true,
         "8002, in the 16K page at 8000\nByte 3 of the block's 48.\nENT, the entry address: 8001.\n"
         "SP, the initial stack pointer: 8003."},
        {"past FFFF, from 0000", &wrapping, kFine, 0x0080, false,
         "0080, in the 16K page at 0000\nByte 385 of the block's 512."},
        {"the label before the address", &labelled, kFine, 0x8012, false,
         "8012, in the 16K page at 8000\nByte 19 of the block's 48.\nLabel: putc+2."},
        {"a label at the last byte, escaped", &labelled, kFine, 0x802F, false,
         "802F, in the 16K page at 8000\nByte 48 of the block's 48.\nLabel: ev\\033[2J."},
        {"over 64K", &over64K, kFine, 0x8008, false,
         "8008, in the 16K page at 8000\nByte 9 of the block's 65552.\n"
         "Loaded more than once: the block holds more than 64K."},
    };
    for (const Case& c : cases) {
        const int y = c.aboveStrip ? c.map.Strip().top - 1 : c.map.Strip().top;
        EXPECT_EQ(BlockMapToolTip(c.block, c.map, c.map.XOf(c.at), y), WrapLines(c.tip)) << c.name;
    }

    // Eight one-byte lines far apart, in one column of the coarse map: five places told,
    // then how many more.
    std::vector<std::pair<unsigned, int>> apart;
    for (unsigned i = 0; i < 8; ++i) {
        apart.emplace_back(0x8000 + i * 0x1000, 1);
    }
    const MappedBlock many = Block(apart);
    std::string tip = "8000, in the 16K page at 8000\nByte 1 of the block's 8.";
    for (std::size_t run = 1; run <= 5; ++run) {
        tip += "\nAt " + FormatHex4(0x8000 + static_cast<unsigned>(run)) + ": " +
               NotFollowingOnText(many.layout, run);
    }
    EXPECT_EQ(BlockMapToolTip(&many, kCoarse, 519, 15),
              WrapLines(tip + "\nAnd 2 more dump lines that do not follow on."));

    // Over the detail row: the byte there, in split.obj's second run.
    const int detail = kCoarse.DetailStrip().top;
    EXPECT_EQ(BlockMapToolTip(&kSplit, kCoarse, kCoarse.DetailXOf(kSplit.layout, 20) + 1, detail),
              "8014, in the 16K page at 8000\nByte 21 of the block's 38, which its dump line puts at 9005.");
    EXPECT_EQ(
        BlockMapToolTip(&kSplit, kCoarse, kCoarse.DetailXOf(kSplit.layout, 15), detail),
        WrapLines("800F, in the 16K page at 8000\nByte 16 of the block's 38, which its dump line puts at "
                  "9000.\nAt 800F: " +
                  NotFollowingOnText(kSplit.layout, 1)));
    EXPECT_EQ(BlockMapToolTip(nullptr, kCoarse, 500, detail), "No block loaded.");
}

}  // namespace

namespace {

TEST(BlockMapGeometry, MarkerLabelsNeverOverlapEachOtherOrATriangle)
{
    const struct {
        std::int32_t ent;
        std::int32_t sp;
        std::vector<std::string> labels;  // on the coarse map, left to right
    } cases[] = {
        {0x8000, 0xBFFF, {"ENT", "SP"}}, {0xFF00, 0xFFFF, {"ENT, SP"}},   {0x0000, 0x0001, {"ENT, SP"}},
        {0x8000, 0x8000, {"ENT, SP"}},   {0x0000, 0xFFFF, {"ENT", "SP"}}, {0x8400, 0x8000, {"SP", "ENT"}},
        {0xFFFF, 0xF000, {"SP", "ENT"}}, {0xFFFF, 0xFE00, {"SP, ENT"}},
    };
    for (const auto& c : cases) {
        MappedBlock block = kSplit;
        block.ent = c.ent;
        block.sp = c.sp;
        for (const int width : {300, 1037}) {
            const BlockMapGeometry map(width, 15);
            const MapMarkers markers = map.Markers(block, TextWidth7);
            const std::string name = FormatHex4(static_cast<unsigned>(c.ent)) + "/" +
                                     FormatHex4(static_cast<unsigned>(c.sp)) + " at " + std::to_string(width);
            if (width == 1037) {
                EXPECT_EQ(Texts(markers.labels), c.labels) << name;
            }
            for (std::size_t i = 0; i < markers.labels.size(); ++i) {
                const MapLabel& label = markers.labels[i];
                EXPECT_TRUE(label.left >= 0 && label.Right() < width) << name;
                for (const int x : markers.arrows) {
                    EXPECT_TRUE(label.Right() < x - map.MarkerSize() || label.left > x + map.MarkerSize())
                        << name;
                }
                for (std::size_t j = 0; j < i; ++j) {
                    EXPECT_TRUE(label.Right() < markers.labels[j].left ||
                                label.left > markers.labels[j].Right())
                        << name;
                }
            }
        }
    }
}

TEST(BlockMapGeometry, TheDetailRowSpansTheBlocksOwnBytes)
{
    const struct {
        const char* name;
        MappedBlock block;
        std::vector<std::string> labels;   // below the detail strip, left to right
        std::vector<std::int64_t> ticks;   // at these offsets
        std::vector<std::string> markers;  // ENT and SP inside the block
        bool loadedTwice;
    } cases[] = {
        {"split.obj",
         kSplit,
         {"8000", "9000 loads at 800F", "9100 loads at 8023", "8025"},
         {15, 35},
         {"ENT"},
         false},
        {"backwards.obj", kBackwards, {"9000", "8000 loads at 9028", "9045"}, {40}, {"ENT"}, false},
        {"wrapping past FFFF",
         Block(Contiguous(0xFFF0, 0x20), 0x0004, 0xFFFF),
         {"FFF0", "000F"},
         {},
         {"SP", "ENT"},
         false},
        {"over 64K", Block(Contiguous(0x8000, 0x10010)), {"8000", "800F"}, {}, {"ENT", "SP"}, true},
    };
    for (const auto& c : cases) {
        const BlockLayout& layout = c.block.layout;
        EXPECT_EQ(Texts(kCoarse.DetailLabels(c.block, TextWidth7)), c.labels) << c.name;
        std::vector<int> ticks;
        for (const std::int64_t offset : c.ticks) {
            ticks.push_back(kCoarse.DetailXOf(layout, offset));
        }
        EXPECT_EQ(kCoarse.DetailTicks(layout), ticks) << c.name;
        EXPECT_EQ(Texts(kCoarse.DetailMarkers(c.block, TextWidth7).labels), c.markers) << c.name;
        EXPECT_EQ(kCoarse.DetailLoadedTwice(layout).has_value(), c.loadedTwice) << c.name;
        EXPECT_EQ(kCoarse.DetailXOf(layout, 0), kCoarse.DetailStrip().left + 1) << c.name;
        EXPECT_EQ(kCoarse.DetailXOf(layout, layout.bytes), kCoarse.DetailStrip().Right()) << c.name;
        if (!c.loadedTwice) {  // the address just past the block's last byte is not in it
            EXPECT_EQ(kCoarse.DetailXOfAddress(layout, layout.LoadAddress(layout.bytes - 1) + 1),
                      std::nullopt)
                << c.name;
        }
    }

    // Where a place's label has no room after its tick, it ends there, or is the address
    // alone; the block's ends keep theirs.
    const MappedBlock near = Block({{0x8000, 40}, {0x9000, 15}, {0xA000, 9}});
    EXPECT_EQ(Texts(kCoarse.DetailLabels(near, TextWidth7)),
              std::vector<std::string>({"8000", "9000 loads at 8028", "8037", "803F"}));

    // A marker points at the middle of its byte's columns, not at their left edge.
    const BlockMapGeometry wide(1038, 15);
    EXPECT_EQ(wide.DetailXOfAddress(Block({{0x8000, 4}}).layout, 0x8002), 646);
}

TEST(BlockMapWords, TheCursorStopsAtWhatTheMapShowsAndTheDescriptionSaysIt)
{
    EXPECT_EQ(CursorStops(&kSplit), std::vector<std::int32_t>({0x0000, 0x4000, 0x8000, 0x800F, 0x8023, 0x8025,
                                                               0xBFFF, 0xC000, 0xFFFF}));
    EXPECT_EQ(NextCursorStop(&kSplit, 0x8000, 1), 0x800F);
    EXPECT_EQ(NextCursorStop(&kSplit, 0x8010, -1), 0x800F);
    EXPECT_EQ(NextCursorStop(nullptr, 0xFFFF, 1), 0xFFFF);
    // On the coarse map C000 shares its column's reach with SP at BFFF: the cursor's tooltip
    // names what is at C000 alone.
    EXPECT_EQ(CursorToolTip(&kSplit, kCoarse, 0xC000), "C000, in the 16K page at C000\nNot in the block.");
    EXPECT_EQ(
        CursorToolTip(&kSplit, kFine, 0x8023),
        WrapLines("8023, in the 16K page at 8000\nByte 36 of the block's 38, which its dump line puts at "
                  "9100.\nAt 8023: " +
                  NotFollowingOnText(kSplit.layout, 2)));

    const std::string space =
        "The 64K address space in its four 16K pages, and below it the block's own bytes. ";
    EXPECT_EQ(BlockMapDescription(nullptr), space + "No block loaded.");
    EXPECT_EQ(
        BlockMapDescription(&kSplit),
        space +
            "The block's 38 bytes load at 8000 to 8025. ENT is 8000, inside the block; SP is BFFF, outside "
            "the block. 2 dump lines do not follow on from the bytes before them: the line at 9000 loads at "
            "800F; the line at 9100 loads at 8023.");
    const MappedBlock wrapping = Block(Contiguous(0xFFF0, 0x20));
    EXPECT_EQ(
        BlockMapDescription(&wrapping),
        space +
            "The block's 32 bytes load in two pieces: FFF0 to FFFF, and 0000 to 000F. ENT is FFF0, inside "
            "the block; SP is FFFF, inside the block. Every dump line follows on from the bytes before it.");
}

}  // namespace
