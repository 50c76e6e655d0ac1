// Change ENT and Change SP: re-prompting, their checks against the block and ORG's 16K
// page, and ENT running Change ORG.

#include "EditTestSupport.h"
#include "edit/AddressCommands.h"

using ChangeEntTest = EditTest;
using ChangeSpTest = EditTest;

TEST_F(ChangeEntTest, AsksAgainWithTheSameDefaultUntilTheValueIsANumberFrom0ToFFFF)
{
    LoadListingBlock();
    ui.Type("xyz").Type("70000").Type("99999999999").Type("-5").Type("&H10").No();
    ChangeEnt(doc);
    EXPECT_EQ(ui.Transcript(), (std::vector<std::string>{
                                   EntPrompt("&H8000", "xyz"),
                                   EntPrompt("&H8000", "70000"),
                                   EntPrompt("&H8000", "99999999999"),
                                   EntPrompt("&H8000", "-5"),
                                   EntPrompt("&H8000", "&H10"),
                                   OrgFromEnt("No"),
                                   Panel3("8000", "10", "BFFF"),
                               }));
    // ENT keeps the value outside the block although ORG was not changed.
    EXPECT_EQ(doc.state.Ent, 0x10);
}

TEST_F(ChangeEntTest, TakesALabelOfTheListingAsItsAddress)
{
    LoadListingBlock();
    doc.labels = {{"loop", 0x8007}, {"msg", 0x8014}};
    ui.Type("nowhere").Type(" MSG ");
    ChangeEnt(doc);
    EXPECT_EQ(ui.Transcript(), (std::vector<std::string>{
                                   EntPrompt("&H8000", "nowhere"),
                                   EntPrompt("&H8000", " MSG "),
                                   Panel3("8000", "8014", "BFFF"),
                               }));
}

TEST_F(ChangeEntTest, AsksToMoveTheBlockOnlyWhenEntIsNotOneOfItsBytes)
{
    // A 0x20-byte block at 8000 holds 8000 to 801F.
    Load({"8000  01", "8010  02"}, 0x20);
    struct Case {
        std::string typed;
        std::string ent;  // as panel 3 and the next default show it
        bool asked;
    };
    const std::vector<Case> cases = {
        {"&H7FFF", "7FFF", true}, {"&H8000", "8000", false},  {"&H801F", "801F", false},
        {"&H8020", "8020", true}, {" 32784 ", "8010", false},
    };
    std::string shown = "8000";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        std::vector<std::string> expected = {EntPrompt("&H" + shown, c.typed)};
        ui.Type(c.typed);
        if (c.asked) {
            ui.No();
            expected.push_back(OrgFromEnt("No"));
        }
        expected.push_back(Panel3("8000", c.ent, "BFFF"));
        ChangeEnt(doc);
        EXPECT_EQ(ui.TakeTranscript(), expected);
        shown = c.ent;
    }
}

TEST_F(ChangeEntTest, RunsChangeOrgToItsEndBeforeShowingItsOwnAddresses)
{
    LoadListingBlock();
    ui.Type("&H9000").Yes().Type("&H9000");
    ChangeEnt(doc);
    EXPECT_EQ(ui.Transcript(), (std::vector<std::string>{
                                   EntPrompt("&H8000", "&H9000"),
                                   OrgFromEnt("Yes"),
                                   OrgPrompt("&H8000", "&H9000"),
                                   Panel3("9000", "9000", "BFFF"),
                                   Panel3("9000", "9000", "BFFF"),
                               }));
    EXPECT_EQ(Lines()[3], "9030  55 55 00 00");
}

TEST_F(ChangeEntTest, CancelInsideTheNestedChangeOrgKeepsTheBlockWhereItWas)
{
    LoadListingBlock();
    ui.Type("&HA000").Yes().Type("");
    ChangeEnt(doc);
    EXPECT_EQ(ui.Transcript(), (std::vector<std::string>{
                                   EntPrompt("&H8000", "&HA000"),
                                   OrgFromEnt("Yes"),
                                   OrgPrompt("&H8000", ""),
                                   Panel3("8000", "A000", "BFFF"),
                               }));
    EXPECT_EQ(Lines()[0], "8000  F3 31 FF BF");
}

TEST_F(ChangeEntTest, CancelChangesNothing)
{
    LoadListingBlock();
    ui.Type("70000").Type("");
    ChangeEnt(doc);
    EXPECT_EQ(ui.Transcript(),
              (std::vector<std::string>{EntPrompt("&H8000", "70000"), EntPrompt("&H8000", "")}));
    EXPECT_EQ(doc.state.Ent, 0x8000);
}

TEST_F(ChangeSpTest, TakesAValueInOrgsPageWithoutAsking)
{
    LoadListingBlock();
    ui.Type("xyz").Type("70000").Type("99999999999").Type("-5").Type("&h8000");
    ChangeSp(doc);
    EXPECT_EQ(ui.Transcript(), (std::vector<std::string>{
                                   SpPrompt("&HBFFF", "xyz"),
                                   SpPrompt("&HBFFF", "70000"),
                                   SpPrompt("&HBFFF", "99999999999"),
                                   SpPrompt("&HBFFF", "-5"),
                                   SpPrompt("&HBFFF", "&h8000"),
                                   Panel3("8000", "8000", "8000"),
                               }));
}

TEST_F(ChangeSpTest, AsksBeforeTakingAValueOutsideOrgsPageAndKeepsSpOnNo)
{
    LoadListingBlock();
    ui.Type("&HC000").No();
    ChangeSp(doc);
    EXPECT_EQ(ui.TakeTranscript(), (std::vector<std::string>{SpPrompt("&HBFFF", "&HC000"), SpReally("No")}));
    EXPECT_EQ(doc.state.Sp, 0xBFFF);

    ui.Type("&H7FFF").Yes();
    ChangeSp(doc);
    EXPECT_EQ(ui.TakeTranscript(), (std::vector<std::string>{
                                       SpPrompt("&HBFFF", "&H7FFF"),
                                       SpReally("Yes"),
                                       Panel3("8000", "8000", "7FFF"),
                                   }));

    ui.Type("");
    ChangeSp(doc);
    EXPECT_EQ(ui.Transcript(), std::vector<std::string>{SpPrompt("&H7FFF", "")});
    EXPECT_EQ(doc.state.Sp, 0x7FFF);
}
