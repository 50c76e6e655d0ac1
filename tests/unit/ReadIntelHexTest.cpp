// Turning Intel HEX records into dump lines, and refusing malformed object files.

#include "LoadTestSupport.h"

using IntelHex = LoadTest;

TEST_F(IntelHex, EachDataRecordBecomesOneDumpLine)
{
    EXPECT_EQ(LoadObjectFile(doc, DataFile("hello.obj")), LoadOutcome::Loaded);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "8000  F3 31 FF BF 21 14 80 7E B7 28 05 D3 FE 23 18 F7 76 C3 00 80 48 45 4C 4C",
                           "8018  4F 2C 20 4B 45 53 54 52 41 4E 45 00 00 80 07 80 10 80 55 55 55 55 55 55",
                           "8030  55 55 55 55 55 55 55 55 55 55 55 55 55 55",
                       }));
    EXPECT_EQ(doc.state.BlockBytes, 62);
    EXPECT_TRUE(ui.Dialogs().empty());
}

TEST_F(IntelHex, RecordsStayInFileOrderWithoutFillingGaps)
{
    EXPECT_EQ(LoadObjectFile(doc, DataFile("split.obj")), LoadOutcome::Loaded);
    EXPECT_EQ(doc.lines.Count(), 3);
    EXPECT_EQ(doc.state.BlockBytes, 0x0F + 0x14 + 0x03);

    LoadText("backwards.obj", ":01900000115E\n:01800000225D\n:00000001FF\n");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"9000  11", "8000  22"}));
    EXPECT_EQ(doc.state.Org, 0x9000);
}

TEST_F(IntelHex, LowerCaseDigitsAddressAsWrittenAndEmptyDataRecords)
{
    LoadText("lower.obj", ":03abcd00c3008042\n:00ab100045\n");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"abcd  C3 00 80", "ab10  "}));
    EXPECT_EQ(doc.state.Org, 0xABCD);
    EXPECT_EQ(doc.state.BlockBytes, 3);
}

TEST_F(IntelHex, OtherRecordTypesAddTheirCountButNoLineAndReadingGoesOn)
{
    // End-of-file first, an extended-address record, blank lines, then data.
    LoadText("types.obj", ":00000001FF\n\n   \n:020000040000FA\n:0180000080FF\n");
    EXPECT_EQ(Lines(), std::vector<std::string>{"8000  80"});
    EXPECT_EQ(doc.state.BlockBytes, 3);
    // A record whose correct checksum is 00 passes.
    EXPECT_EQ(LoadText("zero.obj", ":02000000807E00\n"), LoadOutcome::Loaded);
}

TEST_F(IntelHex, AMalformedRecordAbortsAndKeepsTheLinesReadBeforeIt)
{
    const std::string first = ":0180000080FF\n";
    for (const std::string& bad : {
             std::string(":0180000080FF \n"),  // trailing space: the length no longer matches
             std::string("0180000080FF\n"),    // no start code
             std::string(":0280000080FF\n"),   // count says two bytes, one is there
             std::string(":01800000800FF\n"),  // odd length
             std::string(":018G000080F7\n"),   // address is not four hex digits
             std::string(":01800000 07F\n"),   // " 0" for "00" would pass the checksum
             std::string(":01800000zz7F\n"),   // so would any data that reads as 0
             // A bad digit in the second half of 16 bytes, which are checked 16 at a time.
             std::string(":10800000") + std::string(24, '0') + "0G" + std::string(6, '0') + "70\n",
             std::string(":0180000080F \n"),  // checksum " F"
             std::string(":00000001F/\n"),    // a skipped record's fields too
             std::string(":\n"),
         }) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(LoadText("bad.obj", first + bad + first), LoadOutcome::Aborted);
        EXPECT_EQ(ui.TakeTranscript().back(),
                  "Warning at line 2: Object file is invalid. File read aborted.");
        EXPECT_EQ(Lines(), std::vector<std::string>{"8000  80"});
        EXPECT_FALSE(ui.Enabled(Command::SaveExeAs));
        EXPECT_EQ(doc.state.Org, 0);  // a refused file sets no ORG
    }
}

TEST_F(IntelHex, AChecksumFailureShowsTheFailingLineLastThenEmptiesTheList)
{
    std::vector<std::string> linesWhileShown;
    ui.onMessage = [&](const std::string&) { linesWhileShown = Lines(); };

    EXPECT_EQ(LoadText("sum.obj", ":0180000080FF\n:0180010011EE\n:0180020022DD\n"), LoadOutcome::Aborted);
    EXPECT_EQ(ui.Dialogs(), std::vector<std::string>{
                                "Warning at line 2: Last line listed failed checksum. File read aborted."});
    EXPECT_EQ(linesWhileShown, (std::vector<std::string>{"8000  80", "8001  11"}));
    EXPECT_EQ(doc.lines.Count(), 0);
    for (const StatusPanel panel : {StatusPanel::File, StatusPanel::Block, StatusPanel::Addresses}) {
        EXPECT_EQ(ui.Status(panel), "");
    }

    // All eight bits of the checksum count: FF is due, 7F is off by its top bit alone.
    EXPECT_EQ(LoadText("top-bit.obj", ":01000000007F\n"), LoadOutcome::Aborted);
}

TEST_F(IntelHex, MoreDataRecordsThanTheListHoldsAreRefused)
{
    std::string records;
    for (int i = 0; i <= 32767; ++i) {
        records += ":0180000080FF\n";
    }
    EXPECT_EQ(LoadText("many.obj", records), LoadOutcome::Aborted);
    EXPECT_EQ(ui.Dialogs(),
              std::vector<std::string>{
                  "Warning at line 32768: File holds more than 32767 dump lines. File read aborted."});
    EXPECT_EQ(doc.lines.Count(), 0);
}
