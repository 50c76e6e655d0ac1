// Turning the records of object files (Intel HEX, Motorola S-records, MOS Technology hex)
// into dump lines, and refusing malformed ones.

#include "LoadTestSupport.h"

#include <cstdio>

using ObjectFile = LoadTest;

TEST_F(ObjectFile, EachDataRecordOfEveryFormBecomesOneDumpLine)
{
    for (const char* file : {"hello.obj", "hello-motorola.obj", "hello-mos.obj"}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(LoadObjectFile(doc, DataFile(file)), LoadOutcome::Loaded);
        EXPECT_EQ(Lines(),
                  (std::vector<std::string>{
                      "8000  F3 31 FF BF 21 14 80 7E B7 28 05 D3 FE 23 18 F7 76 C3 00 80 48 45 4C 4C",
                      "8018  4F 2C 20 4B 45 53 54 52 41 4E 45 00 00 80 07 80 10 80 55 55 55 55 55 55",
                      "8030  55 55 55 55 55 55 55 55 55 55 55 55 55 55",
                  }));
        EXPECT_EQ(doc.state.BlockBytes, 62);
        EXPECT_TRUE(ui.Dialogs().empty());
        ui.TakeTranscript();
    }
}

TEST_F(ObjectFile, RecordsStayInFileOrderWithoutFillingGaps)
{
    EXPECT_EQ(LoadObjectFile(doc, DataFile("split.obj")), LoadOutcome::Loaded);
    EXPECT_EQ(doc.lines.Count(), 3);
    EXPECT_EQ(doc.state.BlockBytes, 0x0F + 0x14 + 0x03);

    LoadText("backwards.obj", ":01900000115E\n:01800000225D\n:00000001FF\n");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"9000  11", "8000  22"}));
    EXPECT_EQ(doc.state.Org, 0x9000);
}

TEST_F(ObjectFile, LowerCaseDigitsAddressAsWrittenAndEmptyDataRecords)
{
    const std::vector<std::string> lines = {"abcd  C3 00 80", "ab10  "};
    for (const std::string& records : {
             std::string(":03abcd00c3008042\n:00ab100045\n"),
             // A 24-bit address that fits in 16 bits shows its last four digits.
             std::string("S20700abcdc300803d\r\nS103ab1041\r\n"),
         }) {
        SCOPED_TRACE(records);
        LoadText("lower.obj", records);
        EXPECT_EQ(Lines(), lines);
        EXPECT_EQ(doc.state.Org, 0xABCD);
        EXPECT_EQ(doc.state.BlockBytes, 3);
    }
    LoadText("lower.obj", ";03abcdc3008002be\n");
    EXPECT_EQ(Lines(), std::vector<std::string>{"abcd  C3 00 80"});
}

TEST_F(ObjectFile, IntelHexRecordsOfOtherTypesAddTheirCountButNoLineAndReadingGoesOn)
{
    // End-of-file first, an extended-address record, blank lines, then data.
    LoadText("types.obj", ":00000001FF\n\n   \n:020000040000FA\n:0180000080FF\n");
    EXPECT_EQ(Lines(), std::vector<std::string>{"8000  80"});
    EXPECT_EQ(doc.state.BlockBytes, 3);
    // A record whose correct checksum is 00 passes.
    EXPECT_EQ(LoadText("zero.obj", ":02000000807E00\n"), LoadOutcome::Loaded);
}

TEST_F(ObjectFile, ReadingStopsAtATerminationRecordOrACtrlZAndRecordsAfterTheEndAreWarnedAbout)
{
    // After the end, white space and the Ctrl-Z of DOS tools, and past the first 64K read
    // more besides: the whole file is still read, for its length.
    const std::string rest = " \t\n\x1a\n" + std::string(70000, 'x') + "\n";
    const std::string joined = "Warning: Records from line 5 on follow the end record and were not read.";
    for (const auto& [records, warning] : std::vector<std::pair<std::string, std::string>>{
             {"S008000068656C6C6FE3\nS104800080FB\nS5030001FB\nS90380007C\n" + rest, ""},
             // The first non-blank line tells the form.
             {"\n  \n;018000800101\n;0000010001\n" + rest, ""},
             // A count record last is an end too, whatever follows its Ctrl-Z.
             {"S104800080FB\nS5030001FB\n\x1a" + rest, ""},
             // Two files joined: the second is not read, and that is said.
             {"S104800080FB\nS90380007C\n\n\t\nS104900070FB\nS90380007C\n", joined},
             {";018000800101\n;0000010001\n \n\n;018000800101\n", joined},
         }) {
        SCOPED_TRACE(records);
        EXPECT_EQ(LoadText("end.obj", records), LoadOutcome::Loaded);
        EXPECT_EQ(Lines(), std::vector<std::string>{"8000  80"});
        EXPECT_EQ(doc.state.BlockBytes, 1);
        EXPECT_EQ(ui.Status(StatusPanel::File), "END.OBJ (" + std::to_string(records.size()) + " bytes)");
        EXPECT_EQ(ui.Dialogs(),
                  warning.empty() ? std::vector<std::string>{} : std::vector<std::string>{warning});
        ui.TakeTranscript();
    }
}

TEST_F(ObjectFile, AMalformedRecordAbortsAndKeepsTheLinesReadBeforeIt)
{
    std::string first = ":0180000080FF\n";
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
             std::string("S104800080FB\n"),  // a record of another form
             // Motorola S-records.
             std::string("=S104800080FB\n"),
             std::string("S104800080FB \n"),
             std::string("S105800080FB\n"),  // count says two data bytes, one is there
             std::string("S1028000\n"),      // count leaves no room for address and checksum
             std::string("S404800080FB\n"),  // S4: no such record type
             std::string("SX04800080FB\n"),
             std::string("S10480 080FB\n"),
             std::string("S104800080F \n"),
             std::string("S0080000Hello,TasmE3\n"),  // a header's text is hex digits too
             std::string("S8030000FC\n"),            // S8 carries a 24-bit address
             std::string("S\n"),
             // MOS Technology hex.
             std::string("=;018000800101\n"),
             std::string(";018000800101 \n"),
             std::string(";0180008001\n"),  // two checksum digits, as Intel HEX has
             std::string(";028000800101\n"),
             std::string(";01800080010G\n"),
             std::string(";00000100 1\n"),
         }) {
        SCOPED_TRACE(bad);
        if (bad[0] == '=') {
            first = bad.substr(1);  // the form of the rows below
            continue;
        }
        EXPECT_EQ(LoadText("bad.obj", first + bad + first), LoadOutcome::Aborted);
        EXPECT_EQ(ui.TakeTranscript().back(),
                  "Warning at line 2: Object file is invalid. File read aborted.");
        EXPECT_EQ(Lines(), std::vector<std::string>{"8000  80"});
        EXPECT_FALSE(ui.Enabled(Command::SaveExeAs));
        EXPECT_EQ(doc.state.Org, 0);  // a refused file sets no ORG
    }
}

TEST_F(ObjectFile, AnAddressPast64KOrACountThatDisagreesAbortsAndKeepsTheLinesReadBeforeIt)
{
    const std::string outside = "Record address is outside the 64K address space. File read aborted.";
    const std::string count = "Record count does not match the data records before it. File read aborted.";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"S104800080FB\nS20501800080F9\n", outside},
        {"S104800080FB\nS306000100008078\n", outside},
        {"S104800080FB\nS5030002FA\nS104800080FB\n", count},
        {"S104800080FB\nS604000002F9\n", count},
        {";018000800101\n;0000020002\n", count},
        // A count of none counts too.
        {"S104800080FB\nS5030000FC\n", count},
        {";018000800101\n;0000000000\n", count},
    };
    for (const auto& [records, message] : cases) {
        SCOPED_TRACE(records);
        EXPECT_EQ(LoadText("bad.obj", records), LoadOutcome::Aborted);
        EXPECT_EQ(ui.TakeTranscript().back(), "Warning at line 2: " + message);
        EXPECT_EQ(Lines(), std::vector<std::string>{"8000  80"});
    }
}

TEST_F(ObjectFile, AChecksumFailureShowsTheFailingLineLastThenEmptiesTheList)
{
    std::vector<std::string> linesWhileShown;
    ui.onMessage = [&](const std::string&) { linesWhileShown = Lines(); };

    for (const std::string& records : {
             std::string(":0180000080FF\n:0180010011EE\n:0180020022DD\n"),
             std::string("S104800080FB\nS10480011168\nS10480022257\n"),
             std::string(";018000800101\n;018001110092\n;0180022200A5\n"),
         }) {
        SCOPED_TRACE(records);
        EXPECT_EQ(LoadText("sum.obj", records), LoadOutcome::Aborted);
        EXPECT_EQ(ui.Dialogs(),
                  std::vector<std::string>{
                      "Warning at line 2: Last line listed failed checksum. File read aborted."});
        EXPECT_EQ(linesWhileShown, (std::vector<std::string>{"8000  80", "8001  11"}));
        EXPECT_EQ(doc.lines.Count(), 0);
        for (const StatusPanel panel : {StatusPanel::File, StatusPanel::Block, StatusPanel::Addresses}) {
            EXPECT_EQ(ui.Status(panel), "");
        }
        ui.TakeTranscript();
    }

    // All eight bits of the checksum count: FF and FB are due, 7F and 7B are off by their
    // top bit alone.
    EXPECT_EQ(LoadText("top-bit.obj", ":01000000007F\n"), LoadOutcome::Aborted);
    EXPECT_EQ(LoadText("top-bit.obj", "S1048000807B\nS9030000FC\n"), LoadOutcome::Aborted);

    // Motorola and MOS Technology records that carry no data are checked as well: a
    // header, a count, an end.
    for (const std::string& records : {
             std::string("S104800080FB\nS008000068656C6C6FE4\n"),
             std::string("S104800080FB\nS5030001FA\n"),
             std::string("S104800080FB\nS90380007D\n"),
             std::string(";018000800101\n;0000010002\n"),
         }) {
        SCOPED_TRACE(records);
        EXPECT_EQ(LoadText("sum.obj", records), LoadOutcome::Aborted);
        EXPECT_EQ(ui.TakeTranscript().back(),
                  "Warning at line 2: Last line listed failed checksum. File read aborted.");
        EXPECT_EQ(doc.lines.Count(), 0);
    }
}

TEST_F(ObjectFile, AMosTechnologyEndRecordCountsPast255AndAMotorolaRecordLoadsAtFfff)
{
    std::string records;
    for (unsigned i = 0; i < 256; ++i) {
        char record[16];
        std::snprintf(record, sizeof record, ";01%04X00%04X\n", 0x8000 + i, 0x81 + i);
        records += record;
    }
    EXPECT_EQ(LoadText("many.obj", records + ";0001000001\n"), LoadOutcome::Loaded);
    EXPECT_EQ(doc.lines.Count(), 256);
    EXPECT_EQ(doc.state.BlockBytes, 256);

    EXPECT_EQ(LoadText("top.obj", "S104FFFF807D\nS9030000FC\n"), LoadOutcome::Loaded);
    EXPECT_EQ(Lines(), std::vector<std::string>{"FFFF  80"});
}

TEST_F(ObjectFile, MoreDataRecordsThanTheListHoldsAreRefused)
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
