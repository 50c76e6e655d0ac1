// Writing the Kestrane executable: the header, the bytes of every dump line, the
// overwrite question, and failures that must leave earlier files alone.

#include "FileImages.h"
#include "ScriptedFrontEnd.h"
#include "TempDir.h"
#include "load/LoadObjectFile.h"
#include "model/Document.h"
#include "model/HexText.h"
#include "output/ExeImage.h"
#include "output/WriteExe.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

class WriteExeTest : public ::testing::Test {
protected:
    void SetBlock(std::int32_t org, std::int32_t ent, std::int32_t sp, std::vector<std::string> lines)
    {
        doc.state.Org = org;
        doc.state.Ent = ent;
        doc.state.Sp = sp;
        for (std::string& line : lines) {
            doc.lines.Append(std::move(line));
        }
    }

    TempDir dir;
    ScriptedFrontEnd ui;
    Document doc{ui};
};

Bytes Header(std::int32_t org, std::int32_t ent, std::int32_t sp)
{
    const std::string header = ExeHeader(org, ent, sp);
    return {header.begin(), header.end()};
}

}  // namespace

TEST_F(WriteExeTest, WritesTheHeaderThenEveryLinesBytesBackToBack)
{
    SetBlock(0x8000, 0x8003, 0xBFFF, {"8000  C3 00 80", "9000  01 02", "9100  "});
    doc.state.ExePath = dir / "GAME.EXE";
    EXPECT_TRUE(WriteExe(doc, false));

    Bytes expected = Header(0x8000, 0x8003, 0xBFFF);
    expected.insert(expected.end(), {0xC3, 0x00, 0x80, 0x01, 0x02});
    EXPECT_EQ(ReadFileData(dir / "GAME.EXE"), expected);
    EXPECT_EQ(ui.Dialogs(),
              std::vector<std::string>{"Information: File saved as '" + (dir / "GAME.EXE") + "'"});
    EXPECT_EQ(ui.BusyChanges(), (std::vector<bool>{true, false}));
    EXPECT_EQ(dir.FileNames(), std::vector<std::string>{"GAME.EXE"});
}

TEST_F(WriteExeTest, LinesOfTasmsFormReadAsEveryOtherLine)
{
    // Tasm's 53-character lines are read 16 bytes at a time; whatever they hold, their
    // bytes must be those the hex value rule gives, pair by pair.
    const std::vector<std::pair<std::string, Bytes>> cases = {
        {"8000  00 19 2A 3F 4F 5a 6b 7f 8F 9a AF bF cA dB eE F0",
         {0x00, 0x19, 0x2A, 0x3F, 0x4F, 0x5A, 0x6B, 0x7F, 0x8F, 0x9A, 0xAF, 0xBF, 0xCA, 0xDB, 0xEE, 0xF0}},
        // Whatever follows a pair is dropped as its separator.
        {"8010  FF-FF:FF/FFgFF@FF`FFGFF.FF FF FF FF FF FF FF 10",
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x10}},
        // Characters beside the digits' ranges, first and last pair and between: the
        // line is read under the hex value rule.
        {"8020  /1 :2 @3 G4 `5 g6 1/ 2: 3@ 4G 5` 6g  7 8  00 0g",
         {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x00, 0x00}},
        {"8030  01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F \xC6"
         "1",
         {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x00}},
        // A pair of one digit and a space reads as that digit alone, as in any other line.
        {"8050  C  01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F",
         {0x0C, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F}},
        // Spaces at either end are trimmed: the pairs start a character later, and 45
        // characters hold 15 of them.
        {"8040   1 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 1 ",
         {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F}},
    };
    for (const auto& [line, bytes] : cases) {
        SCOPED_TRACE(line);
        ASSERT_EQ(line.size(), 53u);
        DumpList lines;
        lines.Append("0000  77");
        lines.Append(line);
        Bytes expected = Header(0, 0, 0);
        expected.push_back(0x77);
        expected.insert(expected.end(), bytes.begin(), bytes.end());
        EXPECT_EQ(BuildExeImage(doc.state, lines), expected);
    }
}

TEST_F(WriteExeTest, ABlockOfManyPiecesIsWrittenWholeWhereverLinesCrossThem)
{
    // The executable goes out 64K at a time: lines of Tasm's form cross the pieces' ends,
    // and a line with more bytes than a piece holds spans several.
    std::vector<std::string> lines = {"8000  01 02 03"};
    Bytes block = {1, 2, 3};
    for (int i = 0; i < 5000; ++i) {
        std::string line = FormatHex4(static_cast<std::uint32_t>(0x8003 + 16 * i)) + " ";
        for (int b = 0; b < 16; ++b) {
            const auto value = static_cast<std::uint8_t>(i * 7 + b);
            line += " " + FormatHex4(value).substr(2);
            block.push_back(value);
        }
        lines.push_back(line);
    }
    std::string huge = "0000  ";
    for (int b = 0; b < 150000; ++b) {
        huge += b % 3 == 0 ? "0a " : " F ";  // " F" reads as 0F
        block.push_back(b % 3 == 0 ? 0x0A : 0x0F);
    }
    lines.push_back(huge);
    lines.push_back("1000  EE");
    block.push_back(0xEE);
    SetBlock(0x8000, 0x8000, 0xBFFF, lines);
    doc.state.ExePath = dir / "BIG.EXE";
    EXPECT_TRUE(WriteExe(doc, true));

    Bytes expected = Header(0x8000, 0x8000, 0xBFFF);
    expected.insert(expected.end(), block.begin(), block.end());
    const Bytes written = ReadFileData(dir / "BIG.EXE");
    EXPECT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected);
    EXPECT_TRUE(BuildExeImage(doc.state, doc.lines) == expected);
}

TEST_F(WriteExeTest, ABlockOfNoBytesIsNotWrittenAndWideFieldsKeepTheirLow16Bits)
{
    // The header alone would read back as no block at all.
    SetBlock(0x12345, 0x10, 0x3FFF, {"2345  ", "2345"});
    doc.state.ExePath = dir / "EMPTY.EXE";
    EXPECT_FALSE(WriteExe(doc, true));
    EXPECT_EQ(ui.TakeTranscript(),
              std::vector<std::string>{"Warning: The block holds no bytes. Nothing saved."});
    EXPECT_TRUE(dir.FileNames().empty());

    doc.lines.Append("2345  AA");
    EXPECT_TRUE(WriteExe(doc, true));
    Bytes expected = Header(0x2345, 0x10, 0x3FFF);
    expected.push_back(0xAA);
    EXPECT_EQ(ReadFileData(dir / "EMPTY.EXE"), expected);
}

TEST_F(WriteExeTest, AnExistingFileIsReplacedOnlyWhenTheUserAgrees)
{
    SetBlock(0x8000, 0x8000, 0xBFFF, {"8000  AA"});
    doc.state.ExePath = dir.Write("OLD.EXE", "earlier");

    ui.No();
    EXPECT_FALSE(WriteExe(doc, false));
    EXPECT_EQ(ui.TakeTranscript(), (std::vector<std::string>{"Information [No]: File exists. Delete? -> No",
                                                             "Information: Save abort!"}));
    EXPECT_EQ(ReadFileBytes(dir / "OLD.EXE"), "earlier");
    EXPECT_TRUE(ui.BusyChanges().empty());

    ui.Yes();
    EXPECT_TRUE(WriteExe(doc, false));
    EXPECT_EQ(ReadFileData(dir / "OLD.EXE").size(), 513u);

    // With overwrite set nothing is asked.
    doc.lines.Append("8001  BB");
    EXPECT_TRUE(WriteExe(doc, true));
    EXPECT_EQ(ReadFileData(dir / "OLD.EXE").size(), 514u);
    EXPECT_EQ(dir.FileNames(), std::vector<std::string>{"OLD.EXE"});
}

TEST_F(WriteExeTest, AFailedWriteSaysWhyLeavesNoTraceAndNeverClaimsSuccess)
{
    SetBlock(0x8000, 0x8000, 0xBFFF, {"8000  AA"});
    std::filesystem::create_directory(dir / "TAKEN.EXE");
    dir.Write("TAKEN.EXE/inside", "keep");

    const std::vector<std::pair<std::string, std::string>> cases = {
        {dir / "nowhere/GAME.EXE", "No such file or directory"},
        {dir / "TAKEN.EXE", ""},  // a folder is in the way; the reason is the system's
    };
    for (const auto& [path, reason] : cases) {
        SCOPED_TRACE(path);
        doc.state.ExePath = path;
        EXPECT_FALSE(WriteExe(doc, true));
        const std::vector<std::string> dialogs = ui.Dialogs();
        ASSERT_EQ(dialogs.size(), 1u);
        const std::string start = "Warning: Cannot write '" + path + "': " + reason;
        EXPECT_EQ(dialogs[0].substr(0, start.size()), start);
        EXPECT_EQ(dialogs[0].substr(dialogs[0].size() - 17), ". File not saved.");
        EXPECT_FALSE(ui.BusyChanges().back());
        ui.TakeTranscript();
    }
    EXPECT_EQ(dir.FileNames(), std::vector<std::string>{"TAKEN.EXE"});
    EXPECT_EQ(ReadFileBytes(dir / "TAKEN.EXE/inside"), "keep");
}

TEST_F(WriteExeTest, TheFileTheBlockWasReadFromIsNeverReplacedWhateverNameLeadsThere)
{
    // Whatever name leads to it by the time the executable is written (here its own), the
    // write finds the file it was read from where the output would go, and leaves it be.
    const std::string source = dir.Write("game.obj", ":0180000080FF\n");
    ASSERT_EQ(LoadObjectFile(doc, source), LoadOutcome::Loaded);
    ui.TakeTranscript();
    doc.state.ExePath = source;
    EXPECT_FALSE(WriteExe(doc, true));
    EXPECT_EQ(ui.Dialogs(), std::vector<std::string>{"Warning: The output '" + source +
                                                     "' is the file being converted. Nothing saved."});
    EXPECT_EQ(ReadFileBytes(source), ":0180000080FF\n");
    EXPECT_EQ(dir.FileNames(), std::vector<std::string>{"game.obj"});
}
