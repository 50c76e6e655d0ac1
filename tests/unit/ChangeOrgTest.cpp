// Change ORG: re-basing the dump lines, the 64K question, and the SP and ENT commands it
// runs when they no longer fit, each to its end before ORG goes on.

#include "EditTestSupport.h"
#include "edit/AddressCommands.h"
#include "edit/RebaseBlock.h"

using ChangeOrgTest = EditTest;

namespace {

// Records which lines a view was told to redraw.
struct ReplacedLines : DumpListObserver {
    void LinesCleared() override {}
    void LineAppended(int) override {}
    void LineReplaced(int index) override { indexes.push_back(index); }
    std::vector<int> indexes;
};

}  // namespace

TEST_F(ChangeOrgTest, MovesEveryLineAndOffersToMoveEntLeftBehind)
{
    LoadListingBlock();
    ui.Type("&H9000").Yes().Type("&H9000");
    ChangeOrg(doc);

    EXPECT_EQ(Lines(), (std::vector<std::string>{"9000  F3 31 FF BF", "9010  76 C3 00 80",
                                                 "9020  41 4E 45 00", "9030  55 55 00 00"}));
    // SP BFFF still shares ORG's page 8000, so only ENT is asked about.
    EXPECT_EQ(ui.Transcript(), (std::vector<std::string>{
                                   OrgPrompt("&H8000", "&H9000"),
                                   EntFromOrg("Yes"),
                                   EntPrompt("&H8000", "&H9000"),
                                   Panel3("9000", "9000", "BFFF"),
                                   Panel3("9000", "9000", "BFFF"),
                               }));
    EXPECT_EQ(doc.state.BlockBytes, 64);
}

TEST_F(ChangeOrgTest, RunsSpThenEntEachToItsEndBeforeShowingItsOwnAddresses)
{
    LoadListingBlock();
    ui.Type("&HC000").Yes().Type("&HFFFF").Yes().Type("&HC010");
    ChangeOrg(doc);
    EXPECT_EQ(ui.Transcript(), (std::vector<std::string>{
                                   OrgPrompt("&H8000", "&HC000"),
                                   SpFromOrg("Yes"),
                                   SpPrompt("&HBFFF", "&HFFFF"),
                                   Panel3("C000", "8000", "FFFF"),
                                   EntFromOrg("Yes"),
                                   EntPrompt("&H8000", "&HC010"),
                                   Panel3("C000", "C010", "FFFF"),
                                   Panel3("C000", "C010", "FFFF"),
                               }));
}

TEST_F(ChangeOrgTest, DecliningOrCancellingTheNestedCommandsKeepsSpAndEnt)
{
    LoadListingBlock();
    ui.Type("&HC000").No().No();
    ChangeOrg(doc);
    EXPECT_EQ(ui.TakeTranscript(), (std::vector<std::string>{
                                       OrgPrompt("&H8000", "&HC000"),
                                       SpFromOrg("No"),
                                       EntFromOrg("No"),
                                       Panel3("C000", "8000", "BFFF"),
                                   }));

    // Cancel ends only the nested command: ORG still asks about ENT and shows its values.
    ui.Type("&HC000").Yes().Type("").Yes().Type("");
    ChangeOrg(doc);
    EXPECT_EQ(ui.TakeTranscript(), (std::vector<std::string>{
                                       OrgPrompt("&HC000", "&HC000"),
                                       SpFromOrg("Yes"),
                                       SpPrompt("&HBFFF", ""),
                                       EntFromOrg("Yes"),
                                       EntPrompt("&H8000", ""),
                                       Panel3("C000", "8000", "BFFF"),
                                   }));

    ui.Type("&HC000").Yes().Type("&H8000").No().No();
    ChangeOrg(doc);
    EXPECT_EQ(ui.TakeTranscript(), (std::vector<std::string>{
                                       OrgPrompt("&HC000", "&HC000"),
                                       SpFromOrg("Yes"),
                                       SpPrompt("&HBFFF", "&H8000"),
                                       SpReally("No"),
                                       EntFromOrg("No"),
                                       Panel3("C000", "8000", "BFFF"),
                                   }));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"C000  F3 31 FF BF", "C010  76 C3 00 80",
                                                 "C020  41 4E 45 00", "C030  55 55 00 00"}));
}

TEST_F(ChangeOrgTest, CancelAtTheOrgPromptChangesNothing)
{
    LoadListingBlock();
    ui.Type("");
    ChangeOrg(doc);
    EXPECT_EQ(ui.Transcript(), std::vector<std::string>{OrgPrompt("&H8000", "")});
    EXPECT_EQ(Lines()[0], "8000  F3 31 FF BF");
    EXPECT_EQ(doc.state.Org, 0x8000);
}

TEST_F(ChangeOrgTest, AsksAgainWithTheSameDefaultUntilTheTextIsANumberAndHasNoUpperLimit)
{
    LoadListingBlock();
    ui.Type("xyz").Type("-5").Type("99999999999").Type("&H").Type("70000").Yes().No().No();
    ChangeOrg(doc);
    EXPECT_EQ(ui.TakeTranscript(), (std::vector<std::string>{
                                       OrgPrompt("&H8000", "xyz"),
                                       OrgPrompt("&H8000", "-5"),
                                       OrgPrompt("&H8000", "99999999999"),
                                       OrgPrompt("&H8000", "&H"),
                                       OrgPrompt("&H8000", "70000"),
                                       Past64K("Yes"),
                                       SpFromOrg("No"),
                                       EntFromOrg("No"),
                                       Panel3("11170", "8000", "BFFF"),
                                   }));
    EXPECT_EQ(doc.state.Org, 70000);
    EXPECT_EQ(Lines()[0], "1170  F3 31 FF BF");

    // Line 0 shows only the low 16 bits of ORG, and the next Change ORG starts from there.
    ui.Type("");
    ChangeOrg(doc);
    EXPECT_EQ(ui.Transcript(), std::vector<std::string>{OrgPrompt("&H1170", "")});
}

TEST_F(ChangeOrgTest, AsksAbout64KOnlyWhenTheBlockWouldEndPastFFFF)
{
    Load({"8000  00"}, 0x4000);
    doc.state.Ent = 0xC000;
    doc.state.Sp = 0xFFFF;
    // A 16K block in the top page ends exactly at FFFF: no question.
    ui.Type("&HC000");
    ChangeOrg(doc);
    EXPECT_EQ(ui.TakeTranscript(),
              (std::vector<std::string>{OrgPrompt("&H8000", "&HC000"), Panel3("C000", "C000", "FFFF")}));

    ui.Type("&HC001").No();
    ChangeOrg(doc);
    EXPECT_EQ(ui.TakeTranscript(), (std::vector<std::string>{OrgPrompt("&HC000", "&HC001"), Past64K("No")}));
    EXPECT_EQ(doc.state.Org, 0xC000);
    EXPECT_EQ(Lines(), std::vector<std::string>{"C000  00"});
}

TEST_F(ChangeOrgTest, EntIsOutsideTheBlockFromItsFirstAddressAfterTheLastByte)
{
    // A 0x20-byte block moved to 9000 holds 9000 to 901F.
    const std::vector<std::pair<std::int32_t, bool>> cases = {
        {0x8FFF, true}, {0x9000, false}, {0x901F, false}, {0x9020, true}};
    for (const auto& [ent, asked] : cases) {
        SCOPED_TRACE(ent);
        ScriptedFrontEnd script;
        Document block{script};
        block.lines.Append("8000  01");
        block.lines.Append("8010  02");
        block.state.Org = 0x8000;
        block.state.BlockBytes = 0x20;
        block.state.Ent = ent;
        block.state.Sp = 0xBFFF;

        std::vector<std::string> dialogs = {OrgPrompt("&H8000", "&H9000")};
        script.Type("&H9000");
        if (asked) {
            script.No();
            dialogs.push_back(EntFromOrg("No"));
        }
        ChangeOrg(block);
        EXPECT_EQ(script.Dialogs(), dialogs);
    }
}

TEST_F(ChangeOrgTest, RewritesOnlyTheAddressDigitsAndMovesTheLabelsWrappingPastFFFF)
{
    Load({"8000  01", "FFF0  02 03", "80a0  trailing text", "80", "", "8000"}, 0x60);
    doc.labels = {{"first", 0x8000}, {"high", 0xFFF0}, {"top", 0xFFFF}};
    ReplacedLines view;
    doc.lines.SetObserver(&view);
    ui.Type("&H8020").No();
    ChangeOrg(doc);
    doc.lines.SetObserver(nullptr);

    // A line shorter than four characters keeps its length: "80" moves to 00A0.
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"8020  01", "0010  02 03", "80C0  trailing text", "00", "", "8020"}));
    EXPECT_EQ(view.indexes, (std::vector<int>{0, 1, 2, 3, 5}));
    // The labels move with the block, wrapping as the lines do, and stay in address order.
    EXPECT_EQ(doc.labels, (std::vector<Label>{{"high", 0x0010}, {"top", 0x001F}, {"first", 0x8020}}));
}

TEST_F(ChangeOrgTest, MovesFromTheAddressTheFirstLineShowsNotFromTheStoredOrg)
{
    // A first line of two characters shows only ORG's top digits: after a move to 0100 it
    // reads "01", and the next move starts from 0001, as its prompt says.
    Load({"80", "8010  02"}, 0x20, 0x80);
    ui.Type("&H100").No().Type("&H200").No();
    ChangeOrg(doc);
    ChangeOrg(doc);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"02", "828F  02"}));
    EXPECT_EQ(ui.Transcript()[3], OrgPrompt("&H1", "&H200"));
}

TEST(RebaseDumpLines, MovingDownWrapsBelowZeroAndUpperCasesTheDigits)
{
    DumpList lines;
    lines.Append("1000  01");
    lines.Append("0800  02");
    lines.Append("1abc  03");
    RebaseDumpLines(lines, -0x1000);
    EXPECT_EQ(lines.Lines(), (std::vector<std::string>{"0000  01", "F800  02", "0ABC  03"}));

    RebaseDumpLines(lines, 0);
    EXPECT_EQ(lines.Lines(), (std::vector<std::string>{"0000  01", "F800  02", "0ABC  03"}));
}
