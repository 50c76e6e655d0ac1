// quillet-cli on real assembler output: every conversion compared byte for byte with the
// executable it must give, and object files also checked against objcopy.

#include "CliTestSupport.h"
#include "FileImages.h"

#include <cstdio>

namespace {

struct Case {
    const char* input;
    const char* expected;  // in tests/data/expected
    // On standard error, each line after the file name: where a dump line does not follow on.
    const char* warnings;
};

// Records far apart, or out of order, load one after another all the same: each place is
// warned about. The listings' dumps and the other object files run in one piece.
const char* const kSplitWarnings =
    "Dump line at 9000 does not follow on from the bytes before it, which end at 800E; "
    "the executable holds them one after another.\n"
    "Dump line at 9100 does not follow on from the bytes before it, which end at 9013; "
    "the executable holds them one after another.\n";
const char* const kBackwardsWarnings =
    "Dump line at 8000 does not follow on from the bytes before it, which end at 9027; "
    "the executable holds them one after another.\n";

const Case kCases[] = {
    {"hello.lst", "HELLO.LST.EXE", ""},
    {"hello.obj", "HELLO.OBJ.EXE", ""},
    {"hello-crlf.lst", "HELLO-CRLF.LST.EXE", ""},
    {"hello-crlf.obj", "HELLO-CRLF.OBJ.EXE", ""},
    {"split.lst", "SPLIT.LST.EXE", ""},
    {"split.obj", "SPLIT.OBJ.EXE", kSplitWarnings},
    {"backwards.lst", "BACKWARDS.LST.EXE", ""},
    {"backwards.obj", "BACKWARDS.OBJ.EXE", kBackwardsWarnings},
    {"top16k.lst", "TOP16K.LST.EXE", ""},
    {"top16k.obj", "TOP16K.OBJ.EXE", ""},
    {"paged.lst", "PAGED.LST.EXE", ""},
    {"paged.obj", "PAGED.OBJ.EXE", ""},
    // The same bytes as Motorola S-records and MOS Technology hex: the same executables.
    {"hello-motorola.obj", "HELLO.OBJ.EXE", ""},
    {"hello-mos.obj", "HELLO.OBJ.EXE", ""},
    {"split-motorola.obj", "SPLIT.OBJ.EXE", kSplitWarnings},
    {"top16k-motorola.obj", "TOP16K.OBJ.EXE", ""},
    {"backwards-mos.obj", "BACKWARDS.OBJ.EXE", kBackwardsWarnings},
};

// Each line of `text` after "NAME: ", as standard error gives it.
std::string AfterName(const std::string& name, const std::string& text)
{
    std::string prefixed;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start) + 1;
        prefixed += name + ": " + text.substr(start, end - start);
        start = end;
    }
    return prefixed;
}

// The executable's name: the source's, upper-cased, with .EXE.
std::string ExeName(std::string input)
{
    input.resize(input.size() - 4);
    for (char& c : input) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return input + ".EXE";
}

// A block of `size` pseudo-random bytes.
std::string Block(std::size_t size)
{
    std::string block(size, '\0');
    unsigned state = 12345;
    for (char& b : block) {
        state = state * 1103515245u + 12345u;
        b = static_cast<char>(state >> 16);
    }
    return block;
}

}  // namespace

class CliConversion : public CliTest {
protected:
    // The block as objcopy sees an object file of its `form` (ihex, srec): its bytes
    // placed by address.
    std::string ObjcopyBlock(const std::string& obj, const std::string& form = "ihex")
    {
        const ProgramRun run =
            RunProgram("objcopy", {"-I", form, "-O", "binary", obj, "objcopy.bin"}, dir.Path().string());
        EXPECT_EQ(run.status, 0) << run.err;
        return ReadFileBytes(dir / "objcopy.bin");
    }

    void ExpectConverted(const std::string& input, const std::string& expected,
                         const std::string& warnings = "")
    {
        const ProgramRun run = Cli({input});
        const std::string exe = ExeName(input);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, "File saved as '" + exe + "'\n");
        EXPECT_EQ(run.err, warnings);
        EXPECT_TRUE(ReadFileBytes(dir / exe) == expected) << exe << " is not the expected executable";
    }
};

TEST_F(CliConversion, ConvertsEveryShippedFileByteForByte)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.input);
        Copy(c.input);
        ExpectConverted(c.input, ReadFileBytes(DataFile("expected/" + std::string(c.expected))),
                        AfterName(c.input, c.warnings));
    }
}

TEST_F(CliConversion, WarnsOfFivePlacesWhereDumpLinesDoNotFollowOnThenCountsTheRest)
{
    // Records of two bytes, each 100h above the one before: eight make seven places, six
    // make exactly the five told one by one, and no count of the rest.
    for (const auto& [records, rest] : {std::pair<unsigned, std::string>{8,
                                                                         "game.obj: 2 more dump lines do not "
                                                                         "follow on from the bytes before "
                                                                         "them.\n"},
                                        {6, ""}}) {
        SCOPED_TRACE(records);
        std::string obj;
        std::string block;
        for (unsigned i = 0; i < records; ++i) {
            const std::string data{static_cast<char>(i), static_cast<char>(0x80 + i)};
            obj += IntelHexRecord(0x8000 + 0x100 * i, 0, data) + "\n";
            block += data;
        }
        dir.Write("game.obj", obj + ":00000001FF\n");

        const ProgramRun run = Cli({"--ent", "&H8100", "game.obj"});
        std::string warnings;
        for (unsigned i = 1; i <= 5; ++i) {
            char line[160];
            std::snprintf(
                line, sizeof line,
                "game.obj: Dump line at %X does not follow on from the bytes before it, which end at "
                "%X; the executable holds them one after another.\n",
                0x8000 + 0x100 * i, 0x8000 + 0x100 * (i - 1) + 1);
            warnings += line;
        }
        EXPECT_EQ(run.err, warnings + rest + "game.obj: ENT address falls outside the block.\n");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, "File saved as 'GAME.EXE'\n");
        EXPECT_TRUE(ReadFileBytes(dir / "GAME.EXE") == ExeHeader(0x8000, 0x8100, 0xBFFF) + block);
    }
}

#ifndef _WIN32
// objcopy is a tool of the build machine; a Windows test run has none to call.
TEST_F(CliConversion, ObjectFilesInAddressOrderGiveTheBlockObjcopyGives)
{
    const std::pair<const char*, const char*> inputs[] = {
        {"hello.obj", "ihex"}, {"hello-crlf.obj", "ihex"},     {"top16k.obj", "ihex"},
        {"paged.obj", "ihex"}, {"hello-motorola.obj", "srec"}, {"top16k-motorola.obj", "srec"},
    };
    for (const auto& [input, form] : inputs) {
        SCOPED_TRACE(input);
        Copy(input);
        ASSERT_EQ(Cli({input}).status, 0);
        EXPECT_TRUE(ReadFileBytes(dir / ExeName(input)).substr(512) == ObjcopyBlock(input, form));
    }
}
#endif

TEST_F(CliConversion, ANearly64KBlockConvertsFromEitherFile)
{
    // 0100h to FFFFh: 65280 bytes, in records of 24 bytes as the assembler writes them,
    // and as a listing dump of 4080 lines.
    const std::string block = Block(0x10000 - 0x100);
    std::string obj;
    std::string lst =
        "0001   0100                     .org $0100\n\n"
        "ADDR  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F\n" +
        std::string(53, '-') + "\n";
    for (std::size_t i = 0; i < block.size(); i += 24) {
        obj += IntelHexRecord(static_cast<unsigned>(0x100 + i), 0, block.substr(i, 24)) + "\r\n";
    }
    obj += ":00000001FF\r\n";
    for (std::size_t i = 0; i < block.size(); i += 16) {
        char address[8];
        std::snprintf(address, sizeof address, "%04X ", static_cast<unsigned>(0x100 + i));
        lst += address;
        for (std::size_t j = 0; j < 16; ++j) {
            lst += " " + HexByte(static_cast<unsigned char>(block[i + j]));
        }
        lst += "\n";
    }
    dir.Write("big.obj", obj);
    dir.Write("big.lst", lst + "\n\ntasm: Number of errors = 0\n");

    const std::string expected = ExeHeader(0x100, 0x100, 0x3FFF) + block;
    ExpectConverted("big.obj", expected);
    ExpectConverted("big.lst", expected);
    if (ProgramAvailable("objcopy")) {
        EXPECT_TRUE(ObjcopyBlock("big.obj") == block);
    }
}

TEST_F(CliConversion, WritesWhereDashOSaysAndReplacesAnEarlierExecutable)
{
    Copy("hello.obj");
    dir.Write("game.bin", "an earlier build");
    const ProgramRun run = Cli({"-o", "game.bin", "hello.obj"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "File saved as 'game.bin'\n");
    EXPECT_TRUE(ReadFileBytes(dir / "game.bin") == ReadFileBytes(DataFile("expected/HELLO.OBJ.EXE")));
    EXPECT_EQ(dir.FileNames(), (std::vector<std::string>{"game.bin", "hello.obj"}));

    EXPECT_EQ(Cli({"--output=other.exe", "hello.obj"}).status, 0);
    EXPECT_EQ(ReadFileBytes(dir / "other.exe").size(), 574u);
}

TEST_F(CliConversion, KeepsTheFolderOfTheSourceAsWrittenWhateverItsName)
{
    // A name with spaces, or with letters beyond ASCII (here an e acute in UTF-8, which
    // upper-casing leaves alone), reaches the converter as one argument, unmangled.
    const std::pair<std::string, std::string> cases[] = {
        {"z80/obj/demo.obj", "z80/obj/DEMO.EXE"},
        {"my games/d\xC3\xA9mo 1.obj", "my games/D\xC3\xA9MO 1.EXE"},
    };
    for (const auto& [source, exe] : cases) {
        SCOPED_TRACE(source);
        std::filesystem::create_directories(std::filesystem::u8path(dir / source).parent_path());
        dir.Write(source, ReadFileBytes(DataFile("hello.obj")));
        const ProgramRun run = Cli({source});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, "File saved as '" + exe + "'\n");
        EXPECT_EQ(run.err, "");
        EXPECT_TRUE(ReadFileBytes(dir / exe) == ReadFileBytes(DataFile("expected/HELLO.OBJ.EXE")));
    }
}

TEST_F(CliConversion, EachFileIsConvertedAndTheRunEndsWithTheWorstStatus)
{
    Copy("hello.obj");
    Copy("split.lst");
    dir.Write("bad.obj", ":0180000080FF\n:0180010011EE\n");
    const std::string usage =
        "usage: quillet-cli [-o FILE | --info] [--watch] [--org N] [--ent N] [--sp N] FILE...\n";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
    } cases[] = {
        {{"hello.obj", "split.lst"}, 0, "File saved as 'HELLO.EXE'\nFile saved as 'SPLIT.EXE'\n", ""},
        {{"bad.obj", "hello.obj"},
         1,
         "File saved as 'HELLO.EXE'\n",
         "bad.obj:2: Last line listed failed checksum. File read aborted.\nbad.obj: Nothing saved.\n"},
        // The usage line once, after every file.
        {{"missing.obj", "bad.obj", "split.lst"},
         2,
         "File saved as 'SPLIT.EXE'\n",
         "missing.obj: It could be a good idea to supply a valid filename...\n"
         "bad.obj:2: Last line listed failed checksum. File read aborted.\nbad.obj: Nothing saved.\n" +
             usage},
        {{"--info", "--org", "&H9000", "hello.obj", "split.lst"},
         0,
         "hello.obj:\nORG: 9000\nENT: 8000\nSP: BFFF\nBlock: 62 bytes in 3 dump lines\nLoads at: "
         "9000-903D\n\n"
         "split.lst:\nORG: 9000\nENT: 8000\nSP: BFFF\nBlock: 4368 bytes in 273 dump lines\nLoads at: "
         "9000-A10F\nLabel: 9000 entry\nLabel: A000 data\nLabel: A100 sub\n",
         "hello.obj: ENT address falls outside the block.\nsplit.lst: ENT address falls outside the "
         "block.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        std::filesystem::remove(dir / "HELLO.EXE");
        std::filesystem::remove(dir / "SPLIT.EXE");
        const ProgramRun run = Cli(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
        // Each file saved is the one it would be alone.
        EXPECT_EQ(ReadFileBytes(dir / "HELLO.EXE"), c.out.find("'HELLO.EXE'") != std::string::npos
                                                        ? ReadFileBytes(DataFile("expected/HELLO.OBJ.EXE"))
                                                        : "");
        EXPECT_EQ(ReadFileBytes(dir / "SPLIT.EXE"), c.out.find("'SPLIT.EXE'") != std::string::npos
                                                        ? ReadFileBytes(DataFile("expected/SPLIT.LST.EXE"))
                                                        : "");
    }
}

TEST_F(CliConversion, ABinaryFileLoadsWhereOrgSays)
{
    const std::string block = Block(40);
    dir.Write("game.bin", block);
    dir.Write("empty.bin", "");
    dir.Write("big.bin", std::string(16 * 32767 + 1, '\x76'));  // one byte more than 32767 dump lines
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;
        std::string exe;  // GAME.EXE afterwards
    } cases[] = {
        {{"--org", "&HC000", "game.bin"}, 0, "", ExeHeader(0xC000, 0xC000, 0xFFFF) + block},
        {{"--org", "0xFFF0", "game.bin"},
         0,
         "game.bin: New ORG causes block to go over 64K.\n",
         ExeHeader(0xFFF0, 0xFFF0, 0xFFFF) + block},
        {{"--org", "0", "empty.bin"}, 1, "empty.bin: No dump lines found. Nothing saved.\n", ""},
        {{"--org", "0", "big.bin"},
         1,
         "big.bin: File holds more than 32767 dump lines. File read aborted.\nbig.bin: Nothing saved.\n",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[1]);
        std::filesystem::remove(dir / "GAME.EXE");
        const ProgramRun run = Cli(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.err, c.err);
        EXPECT_TRUE(ReadFileBytes(dir / "GAME.EXE") == c.exe);
    }
}

TEST_F(CliConversion, HelpAndVersionExitZero)
{
    const ProgramRun help = Cli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: quillet-cli", 0), 0u);
    const ProgramRun version = Cli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "quillet-cli (Kestrane Quillet) 1.20\n");
}
