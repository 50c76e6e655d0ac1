// Converting a file named on the command line: refusing what cannot be converted,
// writing nothing unless there is a block, and never touching an earlier executable or
// the source on the way.

#include "ui/CommandLineConversion.h"
#include "model/Document.h"
#include "ScriptedFrontEnd.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

class Conversion : public ::testing::Test {
protected:
    ExitStatus Convert(const std::string& source, std::optional<std::string> output = std::nullopt,
                       BlockValues values = {})
    {
        return ConvertFromCommandLine(doc, ConversionRequest{source, std::move(output), values});
    }

    TempDir dir;
    ScriptedFrontEnd ui;
    Document doc{ui};
};

}  // namespace

TEST_F(Conversion, WritesTheExecutableBesideTheSourceInUpperCase)
{
    const std::string source = dir.Write("prog.lst", ReadFileBytes(DataFile("hello.lst")));
    EXPECT_EQ(Convert(source), kExitSaved);
    EXPECT_EQ(ui.Dialogs(), std::vector<std::string>{"Information: File saved as '" + (dir / "PROG.EXE") + "'"});
    EXPECT_EQ(ReadFileData(dir / "PROG.EXE").size(), 576u);
}

TEST_F(Conversion, ACommandLineWithoutAUsableFileIsAUsageError)
{
    std::filesystem::create_directory(dir / "folder.obj");
    const std::string text = dir.Write("readme.txt", "text");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {dir / "missing.obj", "Error: It could be a good idea to supply a valid filename..."},
        {"'" + (dir / "missing.obj") + "'", "Error: It could be a good idea to supply a valid filename..."},
        {dir / "folder.obj", "Error: It could be a good idea to supply a valid filename..."},
        {text, "Error: It could be a good idea to supply an OBJ or LST file..."},
    };
    for (const auto& [argument, message] : cases) {
        SCOPED_TRACE(argument);
        EXPECT_EQ(Convert(argument), kExitUsage);
        EXPECT_EQ(ui.TakeTranscript(), std::vector<std::string>{message});
    }
    EXPECT_EQ(dir.FileNames(), (std::vector<std::string>{"folder.obj", "readme.txt"}));
}

TEST_F(Conversion, ARefusedOrEmptyLoadWritesNothingAndKeepsTheEarlierExecutable)
{
    dir.Write("BAD.EXE", "earlier build");
    dir.Write("NONE.EXE", "earlier build");
    EXPECT_EQ(Convert(dir.Write("bad.obj", ":0180000080FF\n:0180010011EE\n")), kExitRefused);
    ui.TakeTranscript();
    EXPECT_EQ(Convert(dir.Write("none.lst", "no dump section\n")), kExitRefused);
    EXPECT_EQ(ui.Dialogs(), std::vector<std::string>{"Warning: No dump lines found. Nothing saved."});
    EXPECT_EQ(ReadFileBytes(dir / "BAD.EXE"), "earlier build");
    EXPECT_EQ(ReadFileBytes(dir / "NONE.EXE"), "earlier build");
}

TEST_F(Conversion, ReportsTheReadersMessageBeforeSayingNothingWasSaved)
{
    EXPECT_EQ(Convert(dir.Write("bad.obj", ":0180000080FF\n:0180010011EE\n")), kExitRefused);
    EXPECT_EQ(ui.Dialogs(), (std::vector<std::string>{
                                "Warning at line 2: Last line listed failed checksum. File read aborted.",
                                "Warning: No dump lines found. Nothing saved.",
                            }));
    EXPECT_EQ(dir.FileNames(), std::vector<std::string>{"bad.obj"});
}

TEST_F(Conversion, WritesToTheNamedOutputButNeverOverTheSource)
{
    const std::string source = dir.Write("game.obj", ReadFileBytes(DataFile("hello.obj")));
    EXPECT_EQ(Convert(source, dir / "out.bin"), kExitSaved);
    EXPECT_EQ(ReadFileData(dir / "out.bin").size(), 574u);
    ui.TakeTranscript();

    EXPECT_EQ(Convert(source, source), kExitUsage);
    EXPECT_EQ(ui.Dialogs(), std::vector<std::string>{"Error: The output '" + source +
                                                     "' is the file being converted. Nothing saved."});
    EXPECT_EQ(ReadFileBytes(source), ReadFileBytes(DataFile("hello.obj")));
    ui.TakeTranscript();

    EXPECT_EQ(Convert(source, dir / "no/such/dir/GAME.EXE"), kExitRefused);
    EXPECT_EQ(ui.Dialogs(), std::vector<std::string>{"Warning: Cannot write '" + (dir / "no/such/dir/GAME.EXE") +
                                                     "': No such file or directory. File not saved."});
}

TEST_F(Conversion, WarnsAboutEachCheckTheFinalValuesFailAndWritesAllTheSame)
{
    // hello.obj is a 0x3E-byte block at 8000.
    const std::string source = dir.Write("game.obj", ReadFileBytes(DataFile("hello.obj")));
    const std::string past64K = "Warning: New ORG causes block to go over 64K.";
    const std::string spOutside = "Warning: SP falls outside ORG's 16K page.";
    const std::string entOutside = "Warning: ENT address falls outside the block.";
    const std::vector<std::pair<BlockValues, std::vector<std::string>>> cases = {
        {{0xC000, {}, {}}, {spOutside, entOutside}},
        {{0xC000, 0xC000, 0xFFFF}, {}},
        {{{}, 0x803D, {}}, {}},
        {{{}, 0x803E, {}}, {entOutside}},
        {{{}, 0x7FFF, 0xC000}, {spOutside, entOutside}},
        {{0xFFC2, 0xFFC2, 0xFFFF}, {}},
        {{0xFFC3, 0xFFC3, 0xFFFF}, {past64K}},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        const auto& [values, warnings] = cases[i];
        EXPECT_EQ(Convert(source, dir / "out.exe", values), kExitSaved);
        std::vector<std::string> expected = warnings;
        expected.push_back("Information: File saved as '" + (dir / "out.exe") + "'");
        EXPECT_EQ(ui.Dialogs(), expected);
        ui.TakeTranscript();
    }
}
