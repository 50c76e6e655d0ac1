// Taking the dump lines out of a listing's memory-dump sections.

#include "LoadTestSupport.h"

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
