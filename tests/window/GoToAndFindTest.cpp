// Finding your way in the block: what Go to and Find Bytes take, the search over the dump
// lines, Go to and Find as the window runs them, the labels a dump line names, and the
// copies of the bytes as source.

#include "ScriptedFrontEnd.h"
#include "model/Document.h"
#include "window/BlockSearch.h"
#include "window/CopyAsSource.h"
#include "window/DumpListText.h"
#include "window/FindEntry.h"
#include "window/FollowOnMarks.h"
#include "window/GoToAndFind.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

const char* const kForms = "Go to takes an address in hex (8010, &H8010 or 0x8010) or a label.";
const char* const kFindForms =
    "Find takes hex bytes (8D 12 D0 or 8D12D0) or text in double quotes (\"READY\").";

// hello.lst's labels, and one whose name reads as hex too.
const std::vector<Label> kLabels = {
    {"start", 0x8000}, {"loop", 0x8007}, {"done", 0x8010}, {"msg", 0x8014}, {"add", 0x8024}};

DumpList ListOf(const std::vector<std::string>& lines)
{
    DumpList list;
    for (const std::string& line : lines) {
        list.Append(line);
    }
    return list;
}

TEST(GoToEntry, TakesALabelOrElseAnAddressInHex)
{
    const struct {
        const char* typed;
        std::optional<std::int32_t> address;
        std::string refusal;
    } cases[] = {
        {"8010", 0x8010, ""},
        {" &h803f ", 0x803F, ""},
        {"0X0", 0x0000, ""},
        {"$FFFF", 0xFFFF, ""},
        {"done", 0x8010, ""},
        {"DONE", 0x8010, ""},  // another case
        {"add", 0x8024, ""},   // the label, not the address ADD
        {"0add", 0x0ADD, ""},
        {"10000", std::nullopt, "There is no address 10000: addresses run from 0000 to FFFF."},
        {"nowhere", std::nullopt, "No label 'nowhere' in the block."},
        {"ev\x1b[2J", std::nullopt, "No label 'ev\\033[2J' in the block."},
        {"&Hzz", std::nullopt, kForms},
        {"-5", std::nullopt, kForms},
        {"80 10", std::nullopt, kForms},
    };
    for (const auto& c : cases) {
        const GoToTarget target = ReadGoToEntry(c.typed, kLabels);
        EXPECT_EQ(target.address, c.address) << c.typed;
        EXPECT_EQ(target.refusal, c.refusal) << c.typed;
    }
    EXPECT_EQ(ReadGoToEntry("start", {}).refusal,
              "No label 'start' in the block: only a listing has labels.");
}

TEST(FindEntry, TakesHexPairsOrTextInQuotes)
{
    const struct {
        const char* typed;
        std::vector<std::uint8_t> bytes;
        std::string shown;
    } cases[] = {
        {"8D 12 D0", {0x8D, 0x12, 0xD0}, "8D 12 D0"},
        {" 8d12d0 ", {0x8D, 0x12, 0xD0}, "8D 12 D0"},
        {"8D,12, d0", {0x8D, 0x12, 0xD0}, "8D 12 D0"},
        {"8D 2", {0x8D, 0x02}, "8D 02"},
        {"\"READY\"", {'R', 'E', 'A', 'D', 'Y'}, "\"READY\""},
        {"\"a\"b\"", {'a', '"', 'b'}, "\"a\"b\""},
        {"\"\x1b\"", {0x1B}, "\"\\033\""},
    };
    for (const auto& c : cases) {
        const FindPattern pattern = ReadFindEntry(c.typed);
        EXPECT_EQ(pattern.bytes, c.bytes) << c.typed;
        EXPECT_EQ(pattern.shown, c.shown) << c.typed;
        EXPECT_EQ(pattern.refusal, "") << c.typed;
    }
    for (const char* typed : {"8D1", "zz", "8D zz", "\"READY", "\"\"", "\"", ", ,", "8D \"A\"", "8D-12"}) {
        const FindPattern pattern = ReadFindEntry(typed);
        EXPECT_EQ(pattern.refusal, kFindForms) << typed;
        EXPECT_TRUE(pattern.bytes.empty()) << typed;
    }
}

TEST(FindInBlock, SeeksInDumpLineOrderAcrossLinesFromTheLineAfterTheCurrent)
{
    // Line 2 holds no bytes: a run may pass it.
    const DumpList lines = ListOf({"8000  01 02 03 04", "8004  05 06 07 08", "8008", "8008  09 01 02 03"});
    using F = FoundBytes;
    const SearchDirection forward = SearchDirection::Forward;
    const SearchDirection backward = SearchDirection::Backward;
    const struct {
        const char* name;
        std::vector<std::uint8_t> pattern;
        int current;
        SearchDirection direction;
        std::optional<FoundBytes> found;
    } cases[] = {
        {"within a line", {0x03, 0x04}, -1, forward, F{0, 0, 2, false}},
        {"across two lines", {0x04, 0x05}, -1, forward, F{0, 1, 3, false}},
        {"across a line without bytes", {0x08, 0x09}, -1, forward, F{1, 3, 7, false}},
        {"from the line after the current", {0x01, 0x02}, 0, forward, F{3, 3, 9, false}},
        {"past the end, from the start", {0x01, 0x02}, 3, forward, F{0, 0, 0, true}},
        {"only in the current line", {0x06}, 1, forward, F{1, 1, 5, true}},
        {"backward, before the current line", {0x01, 0x02}, 3, backward, F{0, 0, 0, false}},
        {"backward past the start, from the end", {0x01, 0x02}, 0, backward, F{3, 3, 9, true}},
        {"backward from nowhere: from the end", {0x02}, -1, backward, F{3, 3, 10, false}},
        {"not in the block", {0x02, 0x01}, 1, forward, std::nullopt},
        {"nothing sought", {}, -1, forward, std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<FoundBytes> found = FindInBlock(lines, c.pattern, c.current, c.direction);
        ASSERT_EQ(found.has_value(), c.found.has_value()) << c.name;
        if (found) {
            EXPECT_EQ(found->firstLine, c.found->firstLine) << c.name;
            EXPECT_EQ(found->lastLine, c.found->lastLine) << c.name;
            EXPECT_EQ(found->offset, c.found->offset) << c.name;
            EXPECT_EQ(found->wrapped, c.found->wrapped) << c.name;
        }
    }

    // A full list: what is sought lies across its last two lines.
    DumpList full;
    for (int i = 0; i < DumpList::kMaxLines; ++i) {
        full.Append(i == DumpList::kMaxLines - 2 ? "8000  00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 DE"
                                                 : "8000  AD 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
    }
    const std::optional<FoundBytes> last = FindInBlock(full, {0xDE, 0xAD}, -1, forward);
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(last->firstLine, DumpList::kMaxLines - 2);
    EXPECT_EQ(last->lastLine, DumpList::kMaxLines - 1);
    EXPECT_EQ(FindInBlock(full, {0xDE, 0xAD}, last->firstLine, backward)->wrapped, true);
}

TEST(LineHolding, FindsTheLineThatGivesItsBytesTheAddress)
{
    // split.obj's three records, and a line that runs past FFFF.
    const DumpList lines = ListOf({"8000  21 00 90", "9000  01 02", "9100  3E", "FFFF  01 02"});
    const struct {
        std::int32_t address;
        std::optional<int> line;
        std::int64_t offset;
    } cases[] = {{0x8000, 0, 0},  {0x8002, 0, 2},  {0x9001, 1, 4}, {0x0000, 3, 7},
                 {0x8003, {}, 0}, {0x9002, {}, 0}, {0xFFFE, {}, 0}};
    for (const auto& c : cases) {
        const std::optional<BlockSpot> spot = LineHolding(lines, c.address);
        EXPECT_EQ(spot ? std::optional<int>(spot->line) : std::nullopt, c.line) << c.address;
        if (spot) {
            EXPECT_EQ(spot->offset, c.offset) << c.address;
        }
    }
    EXPECT_EQ(LineRangesText(lines), "8000-8002, 9000-9001, 9100-9100, FFFF-0000");
    EXPECT_EQ(
        LineRangesText(ListOf({"8000  01", "8010  02", "9000  03", "A000  04", "B000  05", "C000  06"})),
        "8000-8000, 8010-8010, 9000-9000, A000-A000 and 2 more pieces");
}

// The list Go to and Find show what they find in: a current row, and what they showed.
struct FakeList : ListPlaces {
    int CurrentRow() const override { return current; }
    void ShowFound(int firstRow, int lastRow, std::int32_t mapAddress) override
    {
        current = firstRow;
        shown.push_back(std::to_string(firstRow) + "-" + std::to_string(lastRow) + " at " +
                        std::to_string(mapAddress));
    }
    int current = -1;
    std::vector<std::string> shown;
};

class BlockFinderTest : public testing::Test {
protected:
    BlockFinderTest()
    {
        for (const char* line : {"8000  F3 31 FF BF 21 14 80 7E B7 28 05 D3 FE 23 18 F7",
                                 "8010  76 C3 00 80 48 45 4C 4C 4F 2C 20 4B 45 53 54 52",
                                 "8020  41 4E 45 00 00 80 07 80 10 80 55 55 55 55 55 55",
                                 "8030  55 55 55 55 55 55 55 55 55 55 55 55 55 55 00 00"}) {
            doc.lines.Append(line);
        }
        doc.state.Org = 0x9000;  // re-based since: the map's cursor goes where the bytes load
        doc.labels = kLabels;
    }

    static std::string GoToPrompt(const std::string& shown, const std::string& typed)
    {
        return std::string("Prompt '") + kGoToPrompt + "' [" + shown + "] -> " + typed;
    }
    static std::string FindPrompt(const std::string& shown, const std::string& typed)
    {
        return std::string("Prompt '") + kFindPrompt + "' [" + shown + "] -> " + typed;
    }

    ScriptedFrontEnd ui;
    Document doc{ui};
    FakeList list;
    BlockFinder finder;
};

TEST_F(BlockFinderTest, GoToAsksAgainUntilItGetsAPlaceInTheBlock)
{
    ui.Type("nowhere").Type("9000").Type("done");
    finder.GoTo(doc, list);
    EXPECT_EQ(
        ui.TakeTranscript(),
        (std::vector<std::string>{GoToPrompt("", "nowhere"), "Warning: No label 'nowhere' in the block.",
                                  GoToPrompt("nowhere", "9000"),
                                  "Warning: Address 9000 is not in the block: its dump lines hold 8000-803F.",
                                  GoToPrompt("9000", "done")}));
    EXPECT_EQ(list.shown, std::vector<std::string>{"1-1 at " + std::to_string(0x9010)});

    ui.Type("");  // Cancel: nothing more
    finder.GoTo(doc, list);
    EXPECT_EQ(ui.TakeTranscript(), std::vector<std::string>{GoToPrompt("done", "")});
    EXPECT_EQ(list.shown.size(), 1u);
}

TEST_F(BlockFinderTest, FindSelectsEveryLineOfWhatItFindsAndSaysWhereItWrapped)
{
    // Find Next with nothing sought yet asks as Find Bytes does.
    ui.Type("C30").Type("00 80");
    finder.Find(doc, list, WindowCommand::FindNext);
    ui.Type("\"KESTRANE\"");
    finder.Find(doc, list, WindowCommand::FindBytes);
    finder.Find(doc, list, WindowCommand::FindPrevious);
    ui.Type("12 34");
    finder.Find(doc, list, WindowCommand::FindBytes);
    EXPECT_EQ(ui.TakeTranscript(), (std::vector<std::string>{
                                       FindPrompt("", "C30"),
                                       std::string("Warning: ") + kFindForms,
                                       FindPrompt("C30", "00 80"),
                                       FindPrompt("00 80", "\"KESTRANE\""),
                                       "Information: Passed the end of the block: found from its start.",
                                       "Information: Passed the start of the block: found from its end.",
                                       FindPrompt("\"KESTRANE\"", "12 34"),
                                       "Information: 12 34 not found in the block.",
                                   }));
    EXPECT_EQ(list.shown, (std::vector<std::string>{"1-1 at " + std::to_string(0x9012),
                                                    "1-2 at " + std::to_string(0x901B),
                                                    "1-2 at " + std::to_string(0x901B)}));
}

TEST(DumpLineToolTip, NamesTheLabelsInsideTheLineThenItsMarksWarning)
{
    // split.obj's records, the second not following on; labels at two of its lines.
    const DumpList lines = ListOf({"8000  21 00 90 11", "9000  01 02", "9100  3E"});
    const std::vector<Label> labels = {
        {"entry", 0x8000}, {"put\x1b", 0x8003}, {"data", 0x9000}, {"far", 0xA000}};
    FollowOnMarks marks;
    marks.Show(LayOutBlock(lines, 0x8000));
    EXPECT_EQ(DumpLineToolTip(marks, labels, lines.Line(0), 0), "Labels: entry (8000), put\\033 (8003).");
    EXPECT_EQ(DumpLineDescription(marks, labels, lines.Line(1), 1),
              "Label: data (9000). " + marks.Description(1));
    EXPECT_EQ(DumpLineToolTip(marks, {}, lines.Line(1), 1), marks.ToolTip(1));
    EXPECT_EQ(DumpLineToolTip(marks, labels, "A000", 3), "");  // a line without bytes holds none
}

TEST(SelectionAsSource, TheBytesOfEachLineCopiedAsTheAssemblersDirectiveOrACArray)
{
    const DumpList lines = ListOf({"8000  F3 31 FF", "8003", "8003  bf", "8004  00"});
    EXPECT_EQ(SelectionAsSource(lines, {}, SourceForm::AssemblerBytes),
              ".byte $F3, $31, $FF ; 8000\r\n"
              ".byte $BF           ; 8003\r\n"
              ".byte $00           ; 8004\r\n");
    EXPECT_EQ(SelectionAsSource(lines, {3, 0}, SourceForm::CArray), "0xF3, 0x31, 0xFF,\r\n0x00,\r\n");
    EXPECT_EQ(SelectionAsSource(lines, {1}, SourceForm::CArray), "");  // a line without bytes
}

}  // namespace
