// Taking the dump lines out of a listing's memory-dump sections, and the labels out of its
// source lines.

#include "LoadTestSupport.h"
#include "load/ListingLabel.h"

#include <optional>

namespace {

std::string Section(const std::string& lines)
{
    return std::string(kDumpHeader) + kDumpRule + lines;
}

}  // namespace

using ListingDump = LoadTest;

TEST_F(ListingDump, TakesTheFourDumpLinesOfTheHelloListing)
{
    EXPECT_EQ(LoadObjectFile(doc, DataFile("hello.lst")), LoadOutcome::Loaded);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "8000  F3 31 FF BF 21 14 80 7E B7 28 05 D3 FE 23 18 F7",
                           "8010  76 C3 00 80 48 45 4C 4C 4F 2C 20 4B 45 53 54 52",
                           "8020  41 4E 45 00 00 80 07 80 10 80 55 55 55 55 55 55",
                           "8030  55 55 55 55 55 55 55 55 55 55 55 55 55 55 00 00",
                       }));
    EXPECT_EQ(doc.state.DumpLineCount, 4);
    EXPECT_EQ(doc.state.BlockBytes, 64);
    EXPECT_TRUE(ui.Dialogs().empty());

    // The same listing with CR LF line ends reads the same.
    const std::vector<std::string> lf = Lines();
    EXPECT_EQ(LoadObjectFile(doc, DataFile("hello-crlf.lst")), LoadOutcome::Loaded);
    EXPECT_EQ(Lines(), lf);
}

TEST_F(ListingDump, EveryLineCountsSixteenBytesAndIsKeptUntrimmed)
{
    LoadText("short.lst", Section("8000  01 02\n8010  03  \n8020\t  04\n"));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"8000  01 02", "8010  03  ", "8020\t  04"}));
    EXPECT_EQ(doc.state.BlockBytes, 48);
}

TEST_F(ListingDump, OnlyAnExactHeaderFollowedByTheRuleOpensASection)
{
    // No rule after the header.
    EXPECT_EQ(LoadText("a.lst", std::string(kDumpHeader) + "8000  01\n"), LoadOutcome::NoDumpLines);
    // The rule before the header does not count.
    EXPECT_EQ(LoadText("b.lst", std::string(kDumpRule) + kDumpHeader + "8000  01\n"),
              LoadOutcome::NoDumpLines);
    // Trailing spaces, or lower-case digits, and the header no longer matches.
    EXPECT_EQ(LoadText("c.lst", "ADDR  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F \n" +
                                    std::string(kDumpRule) + "8000  01\n"),
              LoadOutcome::NoDumpLines);
    EXPECT_EQ(LoadText("d.lst", "ADDR  00 01 02 03 04 05 06 07 08 09 0a 0B 0C 0D 0E 0F\n" +
                                    std::string(kDumpRule) + "8000  01\n"),
              LoadOutcome::NoDumpLines);
    // Other lines between the header and the rule do not stop it.
    EXPECT_EQ(LoadText("e.lst", std::string(kDumpHeader) + "noise\n" + kDumpRule + "8000  01\n"),
              LoadOutcome::Loaded);
    EXPECT_EQ(Lines(), std::vector<std::string>{"8000  01"});
}

TEST_F(ListingDump, ABlankLineEndsASectionAndALaterSectionAppends)
{
    // The second section holds a second header, taken as a line like any other, and runs
    // to the end of the file without a closing blank line.
    LoadText("two.lst", "0001 code\n" + Section("9000  01\n9010  02\n") + "  \nafter the blank\n" +
                            Section("8000  03\n") + kDumpHeader);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"9000  01", "9010  02", "8000  03",
                                                 "ADDR  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F"}));
    EXPECT_EQ(doc.state.DumpLineCount, 4);
    EXPECT_EQ(doc.state.BlockBytes, 64);
    EXPECT_EQ(doc.state.Org, 0x9000);

    // The blank line forgets the header as well as the rule: a rule alone opens nothing.
    LoadText("rule.lst", Section("9000  01\n") + "\n" + kDumpRule + "8000  02\n");
    EXPECT_EQ(Lines(), std::vector<std::string>{"9000  01"});
}

TEST_F(ListingDump, AListingWithoutADumpSectionYieldsNothing)
{
    EXPECT_EQ(LoadText("none.lst", "0001   8000 00    nop\n\ntasm: Number of errors = 0\n"),
              LoadOutcome::NoDumpLines);
    EXPECT_EQ(LoadText("empty.lst", ""), LoadOutcome::NoDumpLines);
    EXPECT_TRUE(ui.Dialogs().empty());
}

TEST_F(ListingDump, FillsTheListToTheBrimButRefusesOneLineMore)
{
    std::string full = Section("");
    for (int i = 0; i < 32767; ++i) {
        full += "8000  00\n";
    }
    EXPECT_EQ(LoadText("full.lst", full), LoadOutcome::Loaded);
    EXPECT_EQ(doc.lines.Count(), 32767);
    EXPECT_EQ(doc.state.BlockBytes, 32767 * 16);

    EXPECT_EQ(LoadText("over.lst", full + "8000  00\n8000  00\n"), LoadOutcome::Aborted);
    EXPECT_EQ(ui.Dialogs(),
              std::vector<std::string>{
                  "Warning at line 32770: File holds more than 32767 dump lines. File read aborted."});
    EXPECT_EQ(doc.lines.Count(), 0);
    EXPECT_FALSE(ui.Enabled(Command::SaveExeAs));
}

TEST_F(ListingDump, TakesADumpLineOf4096CharactersButRefusesTheFileAtOneMore)
{
    const std::string longest = "8000  " + std::string(4090, '1');
    EXPECT_EQ(LoadText("long.lst", Section(longest + "\n")), LoadOutcome::Loaded);
    EXPECT_EQ(Lines(), std::vector<std::string>{longest});

    EXPECT_EQ(LoadText("longer.lst", Section("8000  00\n" + longest + "1\n")), LoadOutcome::Aborted);
    EXPECT_EQ(ui.Dialogs(),
              std::vector<std::string>{
                  "Warning at line 4: Dump line longer than 4096 characters. File read aborted."});
    EXPECT_EQ(Lines(), std::vector<std::string>{"8000  00"});  // as far as it was read
    EXPECT_FALSE(ui.Enabled(Command::SaveExeAs));
}

TEST(ListingLabel, TakesTheNameAtTheStartOfTheSourceOnALineWithAnAddress)
{
    const struct {
        const char* line;
        std::optional<Label> label;
    } cases[] = {
        {"0003   0800 D8          reset:  cld", Label{"reset", 0x0800}},
        {"0005   0801 C3 00 08    putc    jp 0", Label{"putc", 0x0801}},  // no colon
        {"0006   0804             end:", Label{"end", 0x0804}},           // no bytes: at the next address
        {"0007   0804             _x.1:nop", Label{"_x.1", 0x0804}},
        {"10000   0805 00          wide: nop", Label{"wide", 0x0805}},  // a line number of five digits
        {"0012   0014             datalen .equ $-data", std::nullopt},  // values, not places
        {"0012   0014             size: EQU 20", std::nullopt},
        {"0012   0014             size = 20", std::nullopt},
        {"0012   0014             size=20", std::nullopt},
        {"0013   0806 CB DF       bit3: set 3,a", Label{"bit3", 0x0806}},  // an instruction, not .set
        {"0014   8018 4F 2C 20 4B ", std::nullopt},                        // a continuation line
        {"0002   8000                     .org $8000", std::nullopt},
        {"0001                    ; start: a comment", std::nullopt},  // no address
        {"0001                    nope:", std::nullopt},
        {"0003   8000 F3          1st: di", std::nullopt},  // not a name
        {"0003   8000 XY          odd: di", std::nullopt},  // not a byte column
        {"TASM Z80 Assembler.     page 1", std::nullopt},
        {"8000  F3 31 FF BF 21 14 80 7E B7 28 05 D3 FE 23 18 F7", std::nullopt},  // a dump line
        // The listing's own text, escaped only where it is shown.
        {"0003   8000 F3          \x1b[2J\x9b:", std::nullopt},
        {"0003   8000 F3          ev\x1b[2Jil: di", Label{"ev\x1b[2Jil", 0x8000}},
        {"0003   8000 F3          gr\xc3\xb6\xc3\x9f"
         "e: di",
         Label{"gr\xc3\xb6\xc3\x9f"
               "e",
               0x8000}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ListingLabel(c.line), c.label) << c.line;
    }
    // A name that runs to the end of what was kept of a longer line may go on.
    EXPECT_EQ(ListingLabel("0003   8000 F3          longname", false), std::nullopt);
    EXPECT_EQ(ListingLabel("0003   8000 F3          longname: di ; and a long comm", false),
              (Label{"longname", 0x8000}));
}

TEST_F(ListingDump, ReadsTheLabelsInTheSameReadSortedByAddress)
{
    // Assembled out of order: a routine placed below the code that calls it.
    LoadText("labels.lst",
             "0001   8000 CD 00 70    main:   call sub\n"
             "0002   8003 76          last:   halt\n"
             "0003   0010             count   .equ 16\n"
             "0004   7000 C9          sub:    ret\n" +
                 Section("7000  C9\n8000  CD 00 70 76\n"));
    EXPECT_EQ(doc.labels, (std::vector<Label>{{"sub", 0x7000}, {"main", 0x8000}, {"last", 0x8003}}));

    // hello.lst: a label on every line it starts, none from the continuation lines.
    EXPECT_EQ(LoadObjectFile(doc, DataFile("hello.lst")), LoadOutcome::Loaded);
    EXPECT_EQ(
        doc.labels,
        (std::vector<Label>{
            {"start", 0x8000}, {"loop", 0x8007}, {"done", 0x8010}, {"msg", 0x8014}, {"table", 0x8024}}));

    // A file refused, or one that is no listing, leaves none.
    EXPECT_EQ(
        LoadText("long.lst", "0001   8000 00          here: nop\n" + Section(std::string(5000, '1') + "\n")),
        LoadOutcome::Aborted);
    EXPECT_TRUE(doc.labels.empty());
    LoadObjectFile(doc, DataFile("hello.lst"));
    EXPECT_EQ(LoadObjectFile(doc, DataFile("hello.obj")), LoadOutcome::Loaded);
    EXPECT_TRUE(doc.labels.empty());
}
