// quillet-cli as a build script runs it with --org, --ent and --sp: the header values,
// the warnings on standard error, and the exit status of a value that cannot be used.

#include "CliTestSupport.h"
#include "FileImages.h"

using CliValues = CliTest;

TEST_F(CliValues, SetsTheHeaderValuesSilentlyWhenTheyFitTheBlock)
{
    dir.Write("game.obj", ReadFileBytes(DataFile("hello.obj")));
    ASSERT_EQ(Cli({"game.obj"}).status, 0);
    const std::string plain = ReadFileBytes(dir / "GAME.EXE");

    const ProgramRun run = Cli({"--org", "&H9000", "--ent", "&H9000", "--sp", "&HBFFF", "game.obj"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "File saved as 'GAME.EXE'\n");
    const std::string moved = ReadFileBytes(dir / "GAME.EXE");
    EXPECT_EQ(moved.substr(16, 6), std::string("\x00\x90\x00\x90\xFF\xBF", 6));
    EXPECT_EQ(moved.substr(22), plain.substr(22));
}

TEST_F(CliValues, WarnsAboutSpAndEntWhenOnlyOrgMovesOutOfTheirPage)
{
    dir.Write("game.obj", ReadFileBytes(DataFile("hello.obj")));
    const ProgramRun run = Cli({"--org", "&HC000", "game.obj"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              "game.obj: SP falls outside ORG's 16K page.\n"
              "game.obj: ENT address falls outside the block.\n");
    EXPECT_EQ(ReadFileBytes(dir / "GAME.EXE").substr(16, 6), std::string("\x00\xC0\x00\x80\xFF\xBF", 6));
}

TEST_F(CliValues, AValueThatCannotBeUsedIsAUsageErrorAndWritesNothing)
{
    dir.Write("game.obj", ReadFileBytes(DataFile("hello.obj")));
    const ProgramRun run = Cli({"--sp", "0x10000", "game.obj"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "quillet-cli: option '--sp' takes a number from 0 to 0xFFFF (decimal, &H or 0x hex), "
              "not '0x10000'\n"
              "usage: quillet-cli [-o FILE | --info] [--watch] [--org N] [--ent N] [--sp N] FILE...\n");
    EXPECT_EQ(dir.FileNames(), std::vector<std::string>{"game.obj"});
}

TEST_F(CliValues, InfoTellsWhatTheExecutableWouldHoldAndWritesNothing)
{
    const struct {
        std::vector<std::string> args;
        std::string out;
        std::string err;
    } cases[] = {
        {{"--info", "hello.obj"},
         "ORG: 8000\nENT: 8000\nSP: BFFF\nBlock: 62 bytes in 3 dump lines\nLoads at: 8000-803D\n",
         ""},
        // A listing's labels follow, in address order, moved with the block; ENT may be one.
        {{"hello.lst", "--info", "--org", "&H9000", "--ent", "loop"},
         "ORG: 9000\nENT: 9007\nSP: BFFF\nBlock: 64 bytes in 4 dump lines\nLoads at: 9000-903F\n"
         "Label: 9000 start\nLabel: 9007 loop\nLabel: 9010 done\nLabel: 9014 msg\nLabel: 9024 table\n",
         ""},
        {{"--info", "split.obj"},
         "ORG: 8000\nENT: 8000\nSP: BFFF\nBlock: 38 bytes in 3 dump lines\nLoads at: 8000-8025\n",
         "split.obj: Dump line at 9000 does not follow on from the bytes before it, which end at 800E; the "
         "executable holds them one after another.\n"
         "split.obj: Dump line at 9100 does not follow on from the bytes before it, which end at 9013; the "
         "executable holds them one after another.\n"},
        // The values given are applied and checked as a conversion checks them.
        {{"--info", "--org", "&HFFF0", "--ent", "&HFFF0", "hello.obj"},
         "ORG: FFF0\nENT: FFF0\nSP: BFFF\nBlock: 62 bytes in 3 dump lines\nLoads at: FFF0-FFFF\n"
         "Loads at: 0000-002D\n",
         "hello.obj: New ORG causes block to go over 64K.\nhello.obj: SP falls outside ORG's 16K page.\n"},
        // A block that runs past FFFF as the file has it is warned about too.
        {{"--info", "past.obj"},
         "ORG: FFF0\nENT: FFF0\nSP: FFFF\nBlock: 32 bytes in 1 dump line\nLoads at: FFF0-FFFF\n"
         "Loads at: 0000-000F\n",
         "past.obj: Block goes over 64K: its bytes past FFFF load from 0000 on.\n"},
        // One empty data record: one dump line, no bytes, nowhere loaded.
        {{"--info", "empty.obj"}, "ORG: 0000\nENT: 0000\nSP: 3FFF\nBlock: 0 bytes in 1 dump line\n", ""},
    };
    for (const std::string name : {"hello.obj", "hello.lst", "split.obj"}) {
        Copy(name);
    }
    dir.Write("empty.obj", ":0000000000\n:00000001FF\n");
    dir.Write("past.obj", ":20FFF000" + std::string(64, '0') + "F1\n:00000001FF\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.front() + " " + c.args.back());
        const ProgramRun run = Cli(c.args);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
    }
    EXPECT_EQ(dir.FileNames(),
              (std::vector<std::string>{"empty.obj", "hello.lst", "hello.obj", "past.obj", "split.obj"}));
    EXPECT_EQ(Cli({"--info", "-o", "x.exe", "hello.obj"}).status, 2);

    // A label the file does not have is a command-line error, found once the file is read.
    for (const auto& [file, said] :
         {std::pair<std::string, std::string>{"hello.lst",
                                              "hello.lst: Label 'Loop2' not found. Nothing saved.\n"},
          {"hello.obj", "hello.obj: Label 'Loop2' not found: only a listing has labels. Nothing saved.\n"}}) {
        const ProgramRun run = Cli({"--ent", "Loop2", file});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(
            run.err,
            said + "usage: quillet-cli [-o FILE | --info] [--watch] [--org N] [--ent N] [--sp N] FILE...\n");
    }
    EXPECT_EQ(dir.FileNames(),
              (std::vector<std::string>{"empty.obj", "hello.lst", "hello.obj", "past.obj", "split.obj"}));
}

TEST_F(CliValues, AnExecutableSavesAgainInPlaceWithOnlyTheHeaderValuesChanged)
{
    Copy("hello.obj");
    ASSERT_EQ(Cli({"hello.obj"}).status, 0);
    // Another tool's bytes in the header, besides ORG, ENT and SP: they stay.
    std::string built = ReadFileBytes(dir / "HELLO.EXE");
    for (std::size_t at = 8; at < 512; at += at == 15 ? 7 : 1) {
        built[at] = static_cast<char>(at * 7);
    }
    dir.Write("HELLO.EXE", built);

    // Opened and saved unchanged, it is byte for byte what it was.
    ProgramRun run = Cli({"HELLO.EXE"});
    EXPECT_EQ(run.out, "File saved as 'HELLO.EXE'\n");
    EXPECT_EQ(ReadFileBytes(dir / "HELLO.EXE"), built);

    // Re-based in place: only ORG's two bytes change; the bytes of the block stay.
    run = Cli({"--org", "&H9000", "HELLO.EXE"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "HELLO.EXE: ENT address falls outside the block.\n");
    std::string moved = built;
    moved[17] = '\x90';
    EXPECT_EQ(ReadFileBytes(dir / "HELLO.EXE"), moved);

    // A copy with a new ENT and SP, the executable itself left as it was.
    EXPECT_EQ(Cli({"--ent", "&H9003", "--sp", "&HBFF0", "-o", "NEW.EXE", "HELLO.EXE"}).status, 0);
    std::string copy = moved;
    copy.replace(18, 4, "\x03\x90\xF0\xBF");
    EXPECT_EQ(ReadFileBytes(dir / "NEW.EXE"), copy);
    EXPECT_EQ(ReadFileBytes(dir / "HELLO.EXE"), moved);
    EXPECT_EQ(Cli({"--info", "NEW.EXE"}).out,
              "ORG: 9000\nENT: 9003\nSP: BFF0\nBlock: 62 bytes in 4 dump lines\nLoads at: 9000-903D\n");

    // And back: the very file it was.
    EXPECT_EQ(Cli({"--org", "&H8000", "HELLO.EXE"}).status, 0);
    EXPECT_EQ(ReadFileBytes(dir / "HELLO.EXE"), built);
}
