// quillet-cli on input it must refuse: each case ends in a clear message and the right
// exit status, writes nothing, and leaves an earlier executable as it was.

#include "CliTestSupport.h"

namespace {

const char* const kUsage = "usage: quillet-cli";

std::string Noise(std::size_t size)
{
    std::string noise = "x";  // a first line that is not blank
    unsigned state = 2024;
    while (noise.size() < size) {
        state = state * 1103515245u + 12345u;
        noise.push_back(static_cast<char>(state >> 16));
    }
    return noise;
}

struct BadFile {
    const char* name;
    std::string content;
    std::string err;  // after the file name
};

}  // namespace

using CliBadInput = CliTest;

TEST_F(CliBadInput, RefusedFilesWriteNothingAndExitWithOne)
{
    const std::string nothingSaved = ": No dump lines found. Nothing saved.\n";
    const std::string invalid = ":1: Object file is invalid. File read aborted.\n";
    const std::vector<BadFile> cases = {
        {"bad.obj", "", nothingSaved},
        {"bad.lst", "", nothingSaved},
        {"bad.obj", Noise(5000), invalid},
        {"bad.lst", Noise(5000), nothingSaved},
        {"bad.lst", "0001   8000 00   nop\n\ntasm: Number of errors = 0\n", nothingSaved},
        {"bad.obj", ":0180000080FF \n", invalid},
        {"bad.obj", "0180000080FF\n", invalid},
        {"bad.obj", ":018G000080F7\n", invalid},
        {"bad.obj", ":0180000080FF\r\n:0180010011EE\r\n",
         ":2: Last line listed failed checksum. File read aborted.\n"},
        {"bad.obj", "S104800080FB\r\nS5030002FA\r\n",
         ":2: Record count does not match the data records before it. File read aborted.\n"},
        {"bad.lst", ListingWithDumpLines(40000),
         ":32770: File holds more than 32767 dump lines. File read aborted.\n"},
        {"noise.exe", Noise(5000), ": Not a Kestrane executable. File read aborted.\n"},
        // An executable of the header alone would not read back.
        {"bad.obj", ":0080000080\n:00000001FF\n", ": The block holds no bytes. Nothing saved.\n"},
    };
    for (const BadFile& c : cases) {
        SCOPED_TRACE(std::string(c.name) + ": " + c.err);
        dir.Write(c.name, c.content);
        dir.Write("BAD.EXE", "an earlier build");
        const ProgramRun run = Cli({c.name});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        // After a reader's message the closing line says no more than it must.
        const bool closing = c.err.find("Nothing saved.") != std::string::npos;
        const std::string expected =
            closing ? c.name + c.err : c.name + c.err + c.name + ": Nothing saved.\n";
        EXPECT_EQ(run.err, expected);
        EXPECT_EQ(ReadFileBytes(dir / "BAD.EXE"), "an earlier build");
        EXPECT_EQ(dir.FileNames().size(), 2u);
        std::filesystem::remove(dir / c.name);
    }
}

TEST_F(CliBadInput, AnOutputThatCannotBeMadeFailsTheWriteWithOne)
{
    Copy("hello.obj");
    dir.Write("HELLO.EXE", "an earlier build");
    const std::string tooLong(300, 'L');
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"nowhere/HELLO.EXE", "No such file or directory"},
        // Not to be taken for the source because it cannot be compared with it.
        {tooLong, "File name too long"},
    };
    for (const auto& [output, reason] : cases) {
        SCOPED_TRACE(reason);
        const ProgramRun run = Cli({"-o", output, "hello.obj"});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "hello.obj: Cannot write '" + output + "': " + reason + ". File not saved.\n");
        EXPECT_EQ(dir.FileNames(), (std::vector<std::string>{"HELLO.EXE", "hello.obj"}));
        EXPECT_EQ(ReadFileBytes(dir / "HELLO.EXE"), "an earlier build");
    }
}

TEST_F(CliBadInput, AWrongCommandLineExitsWithTwoAndAUsageLine)
{
    Copy("hello.obj");
    std::filesystem::create_directory(dir / "folder.obj");
    dir.Write("notes.txt", ":0180000080FF\n");
    dir.Write("game.bin", "\x3E\x01");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"missing.obj"}, "missing.obj: It could be a good idea to supply a valid filename...\n"},
        {{"folder.obj"}, "folder.obj: It could be a good idea to supply a valid filename...\n"},
        {{"notes.txt"}, "notes.txt: It could be a good idea to supply an OBJ or LST file...\n"},
        {{"-o", "hello.obj", "hello.obj"},
         "hello.obj: The output 'hello.obj' is the file being converted. Nothing saved.\n"},
        {{"--frobnicate", "hello.obj"}, "quillet-cli: unknown option '--frobnicate'\n"},
        {{"-o", "x.exe", "hello.obj", "hello.obj"},
         "quillet-cli: option '-o' names the output of one file, not of 2\n"},
        {{"game.bin"}, "game.bin: A binary file has no load address: give its ORG with --org N.\n"},
        {{"--watch", "-o", "-", "hello.obj"},
         "quillet-cli: option '--watch' writes files, not standard output: '-'\n"},
        {{"--watch", "nowhere/game.obj"},
         "quillet-cli: cannot watch the folder of 'nowhere/game.obj': No such file or directory\n"},
        {{"hello.obj", "-o"}, "quillet-cli: option '-o' needs a value\n"},
        {{}, "quillet-cli: no file to convert\n"},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(message);
        const ProgramRun run = Cli(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.substr(0, message.size()), message);
        EXPECT_NE(run.err.find(kUsage, message.size()), std::string::npos);
    }
    EXPECT_EQ(dir.FileNames(),
              (std::vector<std::string>{"folder.obj", "game.bin", "hello.obj", "notes.txt"}));
}
