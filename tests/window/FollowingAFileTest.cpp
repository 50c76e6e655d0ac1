// The window following the file it loaded: written again on disk, the file is loaded again
// once it has been quiet for a moment, keeping what the user set, with no box; a reload that
// fails keeps the block; a change heard during a command waits for its end, as a load or
// command that arrives then is refused. The window's
// logic runs here over a stand-in view, with the scripted front end, which fails a test on
// any question or prompt it did not expect.

#include "FileImages.h"
#include "ScriptedFrontEnd.h"
#include "TempDir.h"
#include "window/WindowLogic.h"
#include "window/WindowView.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

using Clock = FollowedFile::Clock;

// The scripted front end, keeping the commands' states as a window's does, and running
// `duringPrompt` while a prompt is open.
class TestFrontEnd : public ScriptedFrontEnd {
public:
    void SetCommandEnabled(Command command, bool enabled) override
    {
        states.SetEnabled(command, enabled);
        ScriptedFrontEnd::SetCommandEnabled(command, enabled);
    }

    std::string AskText(const std::string& prompt, const std::string& defaultText) override
    {
        if (duringPrompt) {
            duringPrompt();
        }
        return ScriptedFrontEnd::AskText(prompt, defaultText);
    }

    CommandStates states;
    std::function<void()> duringPrompt;
};

// A window that shows nothing, and keeps what it was asked to do.
class StandInView : public WindowView {
public:
    void ShowPendingLines(bool) override {}
    void ShowBlock(const MappedBlock*) override {}
    void SetEmptyText(const std::string&) override {}
    void ShowFirstLine() override
    {
        top = 0;
        ++firstLineShown;
    }
    std::optional<LineRoom> RoomForWidestLine() const override { return std::nullopt; }
    void PlaceWindow(const WindowSpan&) override {}
    std::string CurrentLine() const override { return {}; }
    std::vector<int> SelectedRows() const override { return {}; }
    void PutOnClipboard(const std::string&) override {}
    std::optional<std::string> AskOpenPath(const std::string&, const std::optional<std::string>&) override
    {
        ++openAsked;
        return std::nullopt;
    }
    std::optional<std::string> AskSavePath(const std::string&) override
    {
        if (duringSave) {
            duringSave();
        }
        return std::nullopt;
    }
    void CommandRunning(bool) override {}
    void FollowFile(const std::string& path) override { followed = path; }
    void LookAgainIn(std::chrono::milliseconds delay) override { lookAgain = delay; }
    void ShowNote(const std::string& text) override { note = text; }
    int TopLine() const override { return top; }
    void ShowLineAtTop(int line) override { top = line; }
    int CurrentRow() const override { return -1; }
    void ShowFound(int, int) override {}
    void MoveMapCursor(std::int32_t) override {}

    std::function<void()> duringSave;
    int firstLineShown = 0;
    int openAsked = 0;
    std::string followed;
    std::optional<std::chrono::milliseconds> lookAgain;
    std::string note;
    int top = 0;
};

// The note without the time of day it begins with.
std::string Untimed(const std::string& note)
{
    return note.size() > 9 && note[2] == ':' && note[5] == ':' ? note.substr(9) : "(no time) " + note;
}

std::string ObjectFile(std::initializer_list<unsigned> addresses, std::size_t bytes = 16)
{
    std::string obj;
    for (const unsigned address : addresses) {
        obj += IntelHexRecord(address, 0, std::string(bytes, '\x55')) + "\n";
    }
    return obj + ":00000001FF\n";
}

class FollowingAFile : public testing::Test {
protected:
    std::vector<std::string> Addresses() const
    {
        std::vector<std::string> addresses;
        for (const std::string& line : logic.Doc().lines.Lines()) {
            addresses.push_back(line.substr(0, 4));
        }
        return addresses;
    }

    // The file changed a moment ago, and has been quiet since: looked at as the window's
    // notification and then its timer ask, it is loaded again.
    void HeardAndQuiet()
    {
        const Clock::time_point now = Clock::now();
        view.lookAgain.reset();
        logic.FileMayHaveChanged(now);
        EXPECT_EQ(view.lookAgain, FollowedFile::kQuietTime) << "a change is taken only once quiet";
        logic.FileMayHaveChanged(now + FollowedFile::kQuietTime);
    }

    TempDir dir;
    TestFrontEnd ui;
    StandInView view;
    WindowLogic logic{ui, ui.states, view};
};

struct ReloadCase {
    const char* name;
    const char* file;
    std::string first;
    std::function<void(WindowLogic&, TestFrontEnd&, StandInView&)> user;  // before the change
    std::function<void(const TempDir&, const std::string& path)> change;
    std::vector<std::string> addresses;  // of the dump lines afterwards
    std::int32_t org, ent, sp;
    std::string note;  // after the time
    int top = 0;       // the line at the top of the list afterwards
};

void PrintTo(const ReloadCase& c, std::ostream* out)
{
    *out << c.name;
}

void Rewrite(const std::string& path, const std::string& content)
{
    std::ofstream(std::filesystem::u8path(path), std::ios::binary | std::ios::trunc) << content;
}

const std::string kHello = ReadFileBytes(DataFile("hello.obj"));
const std::string kSplit = ReadFileBytes(DataFile("split.obj"));
const auto kNothing = [](WindowLogic&, TestFrontEnd&, StandInView&) {};

class Reload : public FollowingAFile, public testing::WithParamInterface<ReloadCase> {};

TEST_P(Reload, ShowsTheNewBytesKeepsWhatTheUserSetAndAsksNothing)
{
    const ReloadCase& c = GetParam();
    const std::string path = dir.Write(c.file, c.first);
    if (std::string(c.file).find(".bin") != std::string::npos) {
        ui.Type("&HC000");
    }
    ASSERT_TRUE(logic.OpenFile(path));
    EXPECT_EQ(view.followed, path);
    c.user(logic, ui, view);
    ui.TakeTranscript();

    c.change(dir, path);
    HeardAndQuiet();
    EXPECT_EQ(ui.Dialogs(), std::vector<std::string>{}) << "no box, no question";
    EXPECT_EQ(Addresses(), c.addresses);
    EXPECT_EQ(logic.State().Org, c.org);
    EXPECT_EQ(logic.State().Ent, c.ent);
    EXPECT_EQ(logic.State().Sp, c.sp);
    std::string note = c.note;
    if (const std::size_t at = note.find("%PATH%"); at != std::string::npos) {
        note.replace(at, 6, path);
    }
    EXPECT_EQ(Untimed(view.note), note);
    EXPECT_EQ(view.top, c.top);
    EXPECT_EQ(logic.State().ExePath, dir / "GAME.EXE");
    // Changed no more, the file is not loaded again.
    view.note.clear();
    logic.FileMayHaveChanged(Clock::now() + std::chrono::seconds(1));
    EXPECT_EQ(view.note, "");
}

const std::string kNotLoaded = " The block shown is the one loaded before.";

INSTANTIATE_TEST_SUITE_P(
    Changes, Reload,
    testing::Values(
        ReloadCase{"WrittenInPlaceTheLineShownStaysInSight",
                   "game.obj",
                   kHello,
                   [](WindowLogic&, TestFrontEnd&, StandInView& view) { view.top = 2; },
                   [](const TempDir&, const std::string& path) {
                       Rewrite(path, ObjectFile({0x8000, 0x8010, 0x8020, 0x8030}));
                   },
                   {"8000", "8010", "8020", "8030"},
                   0x8000,
                   0x8000,
                   0xBFFF,
                   "GAME.OBJ loaded again.",
                   3},
        ReloadCase{"RenamedOverIt",
                   "game.obj",
                   kHello,
                   kNothing,
                   [](const TempDir& dir, const std::string& path) {
                       std::filesystem::rename(dir.Write("game.new", kSplit), std::filesystem::u8path(path));
                   },
                   {"8000", "9000", "9100"},
                   0x8000,
                   0x8000,
                   0xBFFF,
                   "GAME.OBJ loaded again. 2 dump lines do not follow on from the bytes before them."},
        ReloadCase{"OrgEntAndSpTheUserSetAreKept",
                   "game.obj",
                   kHello,
                   [](WindowLogic& logic, TestFrontEnd& ui, StandInView&) {
                       ui.Type("&H9000").Yes().Type("&H9001");  // ENT outside the block: Change ENT
                       logic.Run(WindowCommand::ChangeOrg);
                       ui.Type("&HAFFF");
                       logic.Run(WindowCommand::ChangeSp);
                   },
                   [](const TempDir&, const std::string& path) {
                       Rewrite(path, ObjectFile({0x8000, 0x8010}));
                   },
                   {"9000", "9010"},
                   0x9000,
                   0x9001,
                   0xAFFF,
                   "GAME.OBJ loaded again."},
        ReloadCase{"WhatNoLongerFitsIsSaid",
                   "game.obj",
                   kHello,
                   [](WindowLogic& logic, TestFrontEnd& ui, StandInView&) {
                       ui.Type("&H8030");
                       logic.Run(WindowCommand::ChangeEnt);
                   },
                   [](const TempDir&, const std::string& path) { Rewrite(path, ObjectFile({0x8000})); },
                   {"8000"},
                   0x8000,
                   0x8030,
                   0xBFFF,
                   "GAME.OBJ loaded again. ENT address falls outside the block."},
        // Change SP takes none outside ORG's page without asking; a reload cannot ask.
        ReloadCase{"AnSpTheNewOrgLeavesOutsideItsPageIsNotKept",
                   "game.obj",
                   kHello,
                   [](WindowLogic& logic, TestFrontEnd& ui, StandInView&) {
                       ui.Type("&HBF00");
                       logic.Run(WindowCommand::ChangeSp);
                   },
                   [](const TempDir&, const std::string& path) { Rewrite(path, ObjectFile({0xC000})); },
                   {"C000"},
                   0xC000,
                   0xC000,
                   0xFFFF,
                   "GAME.OBJ loaded again. SP &HBF00 not kept: it falls outside ORG's 16K page."},
        ReloadCase{"ABinaryFileKeepsTheOrgItOpenedAt",
                   "game.bin",
                   std::string(20, '\x01'),
                   kNothing,
                   [](const TempDir&, const std::string& path) { Rewrite(path, std::string(40, '\x02')); },
                   {"C000", "C010", "C020"},
                   0xC000,
                   0xC000,
                   0xFFFF,
                   "GAME.BIN loaded again."},
        ReloadCase{
            "ABadChecksumKeepsTheBlock",
            "game.obj",
            kHello,
            kNothing,
            [](const TempDir&, const std::string& path) { Rewrite(path, ":0180000080FF\n:0180010011EE\n"); },
            {"8000", "8018", "8030"},
            0x8000,
            0x8000,
            0xBFFF,
            "GAME.OBJ not loaded again. Line 2: Last line listed failed checksum. File read aborted." +
                kNotLoaded},
        ReloadCase{"AFileMovedAwayKeepsTheBlock",
                   "game.obj",
                   kHello,
                   kNothing,
                   [](const TempDir& dir, const std::string& path) {
                       std::filesystem::rename(std::filesystem::u8path(path), dir.Path() / "elsewhere.obj");
                   },
                   {"8000", "8018", "8030"},
                   0x8000,
                   0x8000,
                   0xBFFF,
                   "GAME.OBJ not loaded again. Cannot read '%PATH%': No such file or directory. File read "
                   "aborted." +
                       kNotLoaded}),
    [](const testing::TestParamInfo<ReloadCase>& param) { return std::string(param.param.name); });

TEST_F(FollowingAFile, AChangeHeardDuringACommandWaitsForItsEnd)
{
    const std::string path = dir.Write("game.obj", kHello);
    ASSERT_TRUE(logic.OpenFile(path));
    // The assembler writes the file while the ORG prompt is open: the change is heard, and
    // left for later, however quiet the file has been.
    ui.duringPrompt = [&] {
        Rewrite(path, ObjectFile({0x8000}));
        logic.FileMayHaveChanged(Clock::now() + std::chrono::seconds(1));
        EXPECT_EQ(Addresses(), (std::vector<std::string>{"8000", "8018", "8030"}));
        EXPECT_EQ(view.note, "");
        EXPECT_EQ(view.lookAgain, std::nullopt);
    };
    ui.Type("&HA000").No();  // ENT outside the block: Change ENT? No
    logic.Run(WindowCommand::ChangeOrg);
    ui.duringPrompt = nullptr;
    // Once the command has ended, the change is looked at, and taken once quiet: the ORG
    // just typed is kept.
    EXPECT_EQ(view.lookAgain, FollowedFile::kQuietTime);
    logic.FileMayHaveChanged(Clock::now() + FollowedFile::kQuietTime);
    EXPECT_EQ(Addresses(), std::vector<std::string>{"A000"});
    EXPECT_EQ(Untimed(view.note), "GAME.OBJ loaded again. ENT address falls outside the block.");
}

TEST_F(FollowingAFile, ALoadOrCommandThatArrivesDuringACommandIsRefused)
{
    // A file dropped, and Open, while the Save dialog is open: the block stays the first
    // file's, and the dialog's answer goes to it.
    const std::string path = dir.Write("game.obj", kHello);
    const std::string other = dir.Write("other.obj", ObjectFile({0x9000}));
    ASSERT_TRUE(logic.OpenFile(path));
    view.duringSave = [&] {
        EXPECT_FALSE(logic.OpenFile(other));
        logic.Run(WindowCommand::Open);
    };
    logic.Run(WindowCommand::SaveExeAs);
    EXPECT_EQ(view.openAsked, 0);
    EXPECT_EQ(Addresses(), (std::vector<std::string>{"8000", "8018", "8030"}));
    EXPECT_EQ(ui.Dialogs().back(), "Information: Save canceled!");

    // A load that fails partway shows the list from its first line all the same.
    view.firstLineShown = 0;
    const std::string bad = dir.Write("bad.obj", ":0180000080FF\n:01800100116D\n:01800200GG00\n");
    ASSERT_TRUE(logic.OpenFile(bad));
    EXPECT_EQ(view.firstLineShown, 1);
}

TEST_F(FollowingAFile, AListingsLabelsComeAgainMovedWithTheOrgKept)
{
    const std::string listing = ReadFileBytes(DataFile("split.lst"));
    const std::string path = dir.Write("game.lst", listing);
    ASSERT_TRUE(logic.OpenFile(path));
    ui.Type("&H9000").No();  // ENT outside the block: Change ENT? No
    logic.Run(WindowCommand::ChangeOrg);
    Rewrite(path, listing + "\n");
    HeardAndQuiet();
    EXPECT_EQ(logic.Doc().lines.Line(0).substr(0, 4), "9000");
    EXPECT_EQ(logic.Doc().labels, (std::vector<Label>{{"entry", 0x9000}, {"data", 0xA000}, {"sub", 0xA100}}));
}

TEST_F(FollowingAFile, ABinaryFileAsksForItsOrgAndCancelLeavesTheWindowAsItWas)
{
    const std::string hello = dir.Write("game.obj", kHello);
    const std::string binary = dir.Write("boot.bin", std::string(3, '\x76'));
    ASSERT_TRUE(logic.OpenFile(hello));
    ui.TakeTranscript();
    ui.Type("");
    ASSERT_TRUE(logic.OpenFile(binary));
    EXPECT_EQ(ui.TakeTranscript(),
              std::vector<std::string>{
                  "Prompt 'Enter ORG of BOOT.BIN (prefix HEX numbers with '&H'):' [&H8000] -> "});
    EXPECT_EQ(Addresses(), (std::vector<std::string>{"8000", "8018", "8030"}));
    EXPECT_EQ(view.followed, hello);

    ui.Type("xyz").Type("&HFFFE");  // asked again until it is a number
    ASSERT_TRUE(logic.OpenFile(binary));
    EXPECT_EQ(ui.Dialogs().back(), "Warning: New ORG causes block to go over 64K.");
    EXPECT_EQ(logic.Doc().lines.Lines(), std::vector<std::string>{"FFFE  76 76 76"});
    EXPECT_EQ(ui.Status(StatusPanel::Addresses), "Org=&HFFFE, Ent=&HFFFE, SP=&HFFFF ");
    EXPECT_EQ(view.followed, binary);
}

TEST(FollowedFile, TakesAChangeOnlyOnceTheFileHasBeenQuiet)
{
    // Three states of a file, and a file of the same state under the name but another inode:
    // what a new file renamed over the old one may look like.
    FileFacts a{100, 1, 1, {1, 10, true}};
    FileFacts b{120, 2, 2, {1, 10, true}};
    FileFacts c{140, 3, 3, {1, 10, true}};
    FileFacts renamed{100, 1, 1, {1, 11, true}};
    const struct {
        std::optional<FileFacts> facts;
        int at;  // milliseconds
        FollowStep::Kind kind;
        int wait;
    } looks[] = {
        {a, 0, FollowStep::Unchanged, 0},       {b, 0, FollowStep::Settling, 200},
        {b, 150, FollowStep::Settling, 50},     {c, 150, FollowStep::Settling, 200},  // written again
        {c, 350, FollowStep::Changed, 0},       {std::nullopt, 400, FollowStep::Settling, 200},  // gone
        {a, 500, FollowStep::Unchanged, 0},     {renamed, 500, FollowStep::Settling, 200},
        {renamed, 700, FollowStep::Changed, 0},
    };
    FollowedFile file("game.obj");
    file.Take(a);
    const Clock::time_point start;
    for (const auto& look : looks) {
        SCOPED_TRACE(look.at);
        const FollowStep step = file.Look(look.facts, start + std::chrono::milliseconds(look.at));
        EXPECT_EQ(step.kind, look.kind);
        EXPECT_EQ(step.wait.count(), look.wait);
    }
}

}  // namespace
