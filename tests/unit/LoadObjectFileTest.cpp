// The load driver: resetting the document, choosing the reader, deriving the output
// path, and setting ORG, ENT, SP, the commands and the status panels.

#include "LoadTestSupport.h"

using LoadDriver = LoadTest;

namespace {

const std::vector<std::pair<Command, bool>> kDisableAll = {
    {Command::SaveExeAs, false}, {Command::ChangeOrg, false},           {Command::ChangeEnt, false},
    {Command::ChangeSp, false},  {Command::CopySelectionAsText, false},
};
const std::vector<std::pair<Command, bool>> kEnableAll = {
    {Command::SaveExeAs, true}, {Command::CopySelectionAsText, true},
    {Command::ChangeOrg, true}, {Command::ChangeEnt, true},
    {Command::ChangeSp, true},
};

}  // namespace

TEST_F(LoadDriver, ASuccessfulLoadSetsTheBlockValuesCommandsAndPanels)
{
    const std::string path = dir.Write("hello.lst", ReadFileBytes(DataFile("hello.lst")));
    EXPECT_EQ(LoadObjectFile(doc, path), LoadOutcome::Loaded);

    EXPECT_EQ(doc.state.Org, 0x8000);
    EXPECT_EQ(doc.state.Ent, 0x8000);
    EXPECT_EQ(doc.state.Sp, 0xBFFF);
    EXPECT_EQ(doc.state.SourcePath, path);
    EXPECT_EQ(doc.state.ExePath, dir / "HELLO.EXE");

    std::vector<std::pair<Command, bool>> changes = kDisableAll;
    changes.insert(changes.end(), kEnableAll.begin(), kEnableAll.end());
    EXPECT_EQ(ui.CommandChanges(), changes);
    EXPECT_EQ(ui.Transcript(), (std::vector<std::string>{
                                   "Panel 1: ",
                                   "Panel 2: ",
                                   "Panel 3: ",
                                   "Panel 1: HELLO.LST (1343 bytes)",
                                   "Panel 2: Block=64 bytes ",
                                   "Panel 3: Org=&H8000, Ent=&H8000, SP=&HBFFF ",
                               }));
}

TEST_F(LoadDriver, DefaultStackPointerIsTheEndOfOrgsPage)
{
    LoadText("top.obj", ":01C12300001B\n");
    EXPECT_EQ(doc.state.Org, 0xC123);
    EXPECT_EQ(doc.state.Sp, 0xFFFF);
    EXPECT_EQ(ui.Status(StatusPanel::Addresses), "Org=&HC123, Ent=&HC123, SP=&HFFFF ");
}

TEST_F(LoadDriver, AnObjectFileWithoutAnEndOfFileRecordLoadsAndIsWarnedAboutLast)
{
    // As when the assembler died or the disk filled: the records there are load, and
    // the user hears once the block is shown that the file may be incomplete.
    EXPECT_EQ(LoadText("cut.obj", ":0180000080FF\n:020000040000FA\n"), LoadOutcome::Loaded);
    EXPECT_EQ(ui.Transcript().end()[-2], "Panel 3: Org=&H8000, Ent=&H8000, SP=&HBFFF ");
    EXPECT_EQ(ui.Dialogs(),
              std::vector<std::string>{"Warning: No end-of-file record; the file may be cut short."});
    ui.TakeTranscript();

    // A file is whole with its end-of-file or termination record, or, in S-records, with a
    // count record last.
    const std::vector<std::pair<std::string, bool>> cases = {
        {":0180000080FF\n:00000001FF\n", true},
        {"S104800080FB\nS5030001FB\n", true},
        {"S104800080FB\nS90380007C\n", true},
        {"S104800080FB\nS5030001FB\nS104800080FB\n", false},
        {"S104800080FB\n", false},
        {";018000800101\n;0000010001\n", true},
        {";018000800101\n", false},
    };
    for (const auto& [records, whole] : cases) {
        SCOPED_TRACE(records);
        EXPECT_EQ(LoadText("whole.obj", records), LoadOutcome::Loaded);
        EXPECT_EQ(ui.Dialogs().size(), whole ? 0u : 1u);
        ui.TakeTranscript();
    }
}

TEST_F(LoadDriver, ALaterLoadResetsFirstAndKeepsTheOldAddressesWhenItYieldsNothing)
{
    LoadObjectFile(doc, DataFile("hello.obj"));
    ui.TakeTranscript();
    doc.state.Ent = 0x8003;

    EXPECT_EQ(LoadText("empty.lst", "no dump here\n"), LoadOutcome::NoDumpLines);
    EXPECT_EQ(doc.lines.Count(), 0);
    EXPECT_EQ(doc.state.BlockBytes, 0);
    EXPECT_EQ(doc.state.Ent, 0x8003);
    EXPECT_EQ(doc.state.Org, 0x8000);
    EXPECT_EQ(doc.state.ExePath, dir / "EMPTY.EXE");
    EXPECT_FALSE(ui.Enabled(Command::SaveExeAs));
    EXPECT_EQ(ui.TakeTranscript(), (std::vector<std::string>{"Panel 1: ", "Panel 2: ", "Panel 3: "}));
}

TEST_F(LoadDriver, ANameEndingInNeitherObjNorLstOpensNothingAndSaysNothing)
{
    doc.state.ExePath = "KEEP.EXE";
    EXPECT_EQ(LoadText("readme.txt", ":0180000080FF\n"), LoadOutcome::NotObjectFile);
    EXPECT_EQ(doc.state.ExePath, "KEEP.EXE");
    EXPECT_TRUE(ui.Dialogs().empty());
    EXPECT_EQ(doc.lines.Count(), 0);
}

TEST_F(LoadDriver, AnUnreadableSourceSaysWhyAndLoadsNothing)
{
    std::filesystem::create_directory(dir / "sub.lst");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {dir / "missing.obj", "No such file or directory"},
        {dir / "sub.lst", "not a regular file"},
    };
    for (const auto& [path, reason] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(LoadObjectFile(doc, path), LoadOutcome::Aborted);
        EXPECT_EQ(ui.TakeTranscript().back(),
                  "Warning: Cannot read '" + path + "': " + reason + ". File read aborted.");
        EXPECT_FALSE(ui.Enabled(Command::SaveExeAs));
    }
}

TEST_F(LoadDriver, OpensThePathExactlyAsGivenAndTestsTheExtensionUpperCased)
{
    // A name that really begins with a space is a name of its own, not its trimmed twin's.
    dir.Write("demo.obj", ":0180000080FF\n");
    const std::string path = dir.Write(" demo.obj", ReadFileBytes(DataFile("hello.obj")));
    EXPECT_EQ(LoadObjectFile(doc, path), LoadOutcome::Loaded);
    EXPECT_EQ(doc.state.SourcePath, path);
    EXPECT_EQ(doc.state.ExePath, dir / " DEMO.EXE");
    EXPECT_EQ(ui.Status(StatusPanel::File), " DEMO.OBJ (172 bytes)");
    EXPECT_EQ(doc.state.BlockBytes, 62);
}
