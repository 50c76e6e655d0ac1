// Reading a Kestrane executable back: its header's ORG, ENT and SP, and its block as
// dump lines of 16 bytes from ORG on.

#include "FileImages.h"
#include "LoadTestSupport.h"
#include "model/HexText.h"

using Executable = LoadTest;

TEST_F(Executable, TheBlockBecomesDumpLinesOfSixteenBytesFromTheHeadersOrg)
{
    std::string block;
    for (int i = 0; i < 35; ++i) {
        block.push_back(static_cast<char>(0xE0 + i));
    }
    // ORG near the top: the addresses wrap past FFFF as Change ORG wraps them.
    EXPECT_EQ(LoadText("game.exe", ExeHeader(0xFFF0, 0xFFF3, 0x3FFF) + block), LoadOutcome::Loaded);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "FFF0  E0 E1 E2 E3 E4 E5 E6 E7 E8 E9 EA EB EC ED EE EF",
                           "0000  F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF",
                           "0010  00 01 02",
                       }));
    // The header's values, not the defaults a listing or object file gets.
    EXPECT_EQ(doc.state.Org, 0xFFF0);
    EXPECT_EQ(doc.state.Ent, 0xFFF3);
    EXPECT_EQ(doc.state.Sp, 0x3FFF);
    EXPECT_EQ(doc.state.BlockBytes, 35);
    EXPECT_EQ(doc.state.ExePath, dir / "game.exe");  // saved again, it replaces itself
    EXPECT_EQ(ui.Status(StatusPanel::File), "GAME.EXE (547 bytes)");
    EXPECT_TRUE(ui.Enabled(Command::ChangeOrg));
    EXPECT_TRUE(ui.Dialogs().empty());
}

TEST_F(Executable, OnlyAWholeHeaderOfOursIsTakenAndAnyBlockTheConverterWritesFitsTheList)
{
    const std::string header = ExeHeader(0x8000, 0x8000, 0xBFFF);
    const std::string notOurs = "Not a Kestrane executable. File read aborted.";
    std::string otherLength = header;
    otherLength[5] = 1;  // a header of 256 bytes, not ours
    const struct {
        const char* what;
        std::string content;
        LoadOutcome outcome;
        std::string message;
        int lines;
    } cases[] = {
        {"header only", header, LoadOutcome::NoDumpLines, "", 0},
        {"one byte short", header.substr(0, 511), LoadOutcome::Aborted, notOurs, 0},
        {"empty", "", LoadOutcome::Aborted, notOurs, 0},
        {"another signature", "MZ" + header.substr(2) + "12", LoadOutcome::Aborted, notOurs, 0},
        {"another header length", otherLength + "12", LoadOutcome::Aborted, notOurs, 0},
        {"32767 dump lines", header + std::string(32767 * 16, '\x55'), LoadOutcome::Loaded, "", 32767},
        // Too large for lines of 16 bytes, as a block of object file records of 255 bytes
        // may be: the lines take 17 bytes each.
        {"one byte more", header + std::string(32767 * 16 + 1, '\x55'), LoadOutcome::Loaded, "",
         (32767 * 16 + 1 + 16) / 17},
        // The longest lines the program reads: 1364 bytes each.
        {"the longest lines", header + std::string(32767 * 1364, '\x55'), LoadOutcome::Loaded, "", 32767},
        // More than the longest dump lines the program reads would hold.
        {"too large for any list", header + std::string(32767 * 1364 + 1, '\x55'), LoadOutcome::Aborted,
         "File holds more than 32767 dump lines. File read aborted.", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        doc.state.Org = 0x1234;  // a refused file sets none of ORG, ENT and SP
        EXPECT_EQ(LoadText("game.exe", c.content), c.outcome);
        EXPECT_EQ(ui.Dialogs(), c.message.empty() ? std::vector<std::string>{}
                                                  : std::vector<std::string>{"Warning: " + c.message});
        ui.TakeTranscript();
        EXPECT_EQ(doc.state.Org, c.outcome == LoadOutcome::Loaded ? 0x8000 : 0x1234);
        EXPECT_EQ(ui.Enabled(Command::SaveExeAs), c.outcome == LoadOutcome::Loaded);
        EXPECT_EQ(doc.lines.Count(), c.lines);
        // Each line's address is where its first byte loads, however many the lines hold.
        if (c.lines > 1) {
            EXPECT_EQ(LineAddress(doc.lines.Line(1)),
                      0x8000 + static_cast<std::int32_t>(HexToBytes(LineByteText(doc.lines.Line(0))).size()));
        }
    }
}
