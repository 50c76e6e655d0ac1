// The smaller rules of the window: what Save takes and where its dialog starts, where Open
// starts, which dropped files open, what the dump list shows besides its lines, the
// character column's colour, how texts wrap, how far the window widens for a long dump
// line, and how the status panels share the bar.

#include "TempDir.h"
#include "convert/FollowOnWarnings.h"
#include "model/DumpList.h"
#include "window/Colours.h"
#include "window/DumpListText.h"
#include "window/FileDialogSetup.h"
#include "window/FollowOnMarks.h"
#include "window/ListSizing.h"
#include "window/StatusPanels.h"
#include "window/TextWrap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

TEST(SavePathRefusal, RefusesAMissingFolderAndTheSourceItselfAndOffersItAgainFromAFolderThatExists)
{
    TempDir dir;
    const std::string source = dir.Write("game.obj", ":00000001FF\n");
    const std::string missing = (dir.Path() / "nope" / "deeper").make_preferred().u8string();
    const struct {
        std::string path;
        std::optional<std::string> refusal;
    } cases[] = {
        {dir / "GAME.EXE", std::nullopt},
        {dir / "nope/deeper/GAME.EXE",
         "The folder '" + missing + "' does not exist. Check the path and try again."},
        {dir / "nope/../nope/deeper/GAME.EXE",
         "The folder '" + missing + "' does not exist. Check the path and try again."},
        {dir / "./game.obj",
         "The output '" + (dir / "./game.obj") + "' is the file being converted. Nothing saved."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SavePathRefusal(c.path, source), c.refusal) << c.path;
    }
    // Offered again, a name in a folder that does not exist starts in the nearest folder
    // that does, with the rest of its path as the name.
    const std::string folder = dir.Path().lexically_normal().u8string();
    for (const auto& [preset, name] :
         {std::pair<std::string, std::string>{dir / "GAME.EXE", "GAME.EXE"},
          {dir / "nope/deeper/GAME.EXE",
           (std::filesystem::path("nope") / "deeper" / "GAME.EXE").make_preferred().u8string()}}) {
        EXPECT_EQ(SaveDialogStart(preset).folder, folder) << preset;
        EXPECT_EQ(SaveDialogStart(preset).name, name) << preset;
    }
    std::filesystem::create_directory(dir / "folder.obj");
    EXPECT_TRUE(OpensWhenDropped(source));
    EXPECT_FALSE(OpensWhenDropped(dir / "folder.obj"));
    EXPECT_FALSE(OpensWhenDropped(dir / "notes.txt"));

    EXPECT_EQ(OpenDialogFolder(source), folder);
    EXPECT_EQ(OpenDialogFolder(dir / "gone/game.obj"), std::nullopt);
    EXPECT_EQ(OpenDialogFolder(""), std::nullopt);
}

TEST(CharacterColumn, ShowsEachByteAsTheWriterReadsIt)
{
    const struct {
        const char* line;
        const char* characters;
    } cases[] = {
        {"8000  48 69 20 7E 7F 00 FF", "Hi ~..."},
        {"8000  4b 2C", "K,"},   // either case
        {"8000  41 42 ", "AB"},  // spaces around the pairs are dropped
        {"8000  4 41", ".."},    // paired as the writer pairs them: "4 " and "1"
        {"8000", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CharacterColumn(c.line), c.characters) << c.line;
    }
}

TEST(DumpList, EmptyListTextAndMarksOnTheLinesThatDoNotFollowOn)
{
    EXPECT_EQ(EmptyListText(LoadOutcome::NoDumpLines, "/tmp/notes.obj"), "No dump lines in NOTES.OBJ.");
    EXPECT_EQ(EmptyListText(LoadOutcome::Aborted, "big.obj"), kNothingLoadedText);  // the reader said why

    // split.obj's three records, and a line without bytes, which breaks no run.
    DumpList lines;
    for (const char* line : {"8000  21 00", "8002", "9000  01", "9001  02", "9100  3E"}) {
        lines.Append(line);
    }
    const BlockLayout layout = LayOutBlock(lines, 0x8000);
    FollowOnMarks marks;
    marks.Show(layout);
    std::vector<int> marked;
    for (int line = 0; line < 6; ++line) {
        if (marks.IsMarked(line)) {
            marked.push_back(line);
        }
    }
    EXPECT_EQ(marked, std::vector<int>({2, 4}));
    EXPECT_EQ(marks.ToolTip(4), WrapLines(NotFollowingOnText(layout, 2)));
    EXPECT_EQ(marks.ToolTip(3), "");
    marks.Clear();
    EXPECT_FALSE(marks.IsMarked(2));
}

TEST(WrapLines, BreaksAtSpacesIntoLinesOfAtMost60Characters)
{
    const std::string sentence =
        "Dump line at 9000 does not follow on from the bytes before it, which end at 800E; the executable "
        "holds them one after another.";
    EXPECT_EQ(WrapLines(sentence),
              "Dump line at 9000 does not follow on from the bytes before\n"
              "it, which end at 800E; the executable holds them one after\n"
              "another.");
    EXPECT_EQ(WrapLines("short\r\n" + std::string(70, 'x') + " y", 60, "\r\n"),
              "short\r\n" + std::string(70, 'x') + "\r\ny");  // a long word keeps a line of its own
    EXPECT_EQ(WrapLines("a  b\n\nc"), "a  b\n\nc");
}

TEST(DimmedTextColour, DimsAsFarAsStaysReadableOnTheRowsBackground)
{
    const Rgb black{0, 0, 0};
    const Rgb white{255, 255, 255};
    EXPECT_DOUBLE_EQ(ContrastRatio(black, white), 21.0);
    const struct {
        const char* name;
        Rgb text;
        Rgb background;
    } cases[] = {
        {"a light palette", black, white},
        {"a selected row, white on a middling blue", white, {0x30, 0x8C, 0xC6}},
        {"a dark palette", white, {0x2A, 0x2A, 0x2A}},
        {"a selected row in a dark palette", white, {0x2A, 0x82, 0xDA}},
        {"grey on grey", {0x80, 0x80, 0x80}, {0x90, 0x90, 0x90}},
    };
    for (const auto& c : cases) {
        const Rgb dim = DimmedTextColour(c.text, c.background);
        EXPECT_GE(ContrastRatio(dim, c.background), kReadableContrast) << c.name;
    }
    EXPECT_EQ(DimmedTextColour(black, white), (Rgb{0x63, 0x63, 0x63}));  // grey, not black
}

TEST(WidenedToShowLine, WidensAsFarAsTheScreenAllowsAndStaysOnIt)
{
    const struct {
        const char* name;
        int needed;
        WindowSpan widened;
    } cases[] = {
        {"the line fits", 400, {100, 500}},
        {"widened in place", 450, {100, 550}},
        {"moved left to stay on the screen", 1200, {0, 1300 - 10}},
        {"never narrowed", 100, {100, 500}},
    };
    for (const auto& c : cases) {
        // A window 500 wide at 100 with a list 400 wide and a frame of 10, on a screen 1300 wide.
        const WindowSpan widened = WidenedToShowLine(c.needed, 400, {100, 500}, 10, 0, 1300);
        EXPECT_EQ(widened.left, c.widened.left) << c.name;
        EXPECT_EQ(widened.width, c.widened.width) << c.name;
    }
}

TEST(KeptOnScreen, TheWholeFrameLiesWithinTheWorkArea)
{
    // A work area of 1280 by 800 below a panel 30 high: at twice the scale a window framed
    // 1282 by 825, as the window manager placed it, and others partly off the screen.
    const WindowPlace area{0, 30, 1280, 800};
    const struct {
        const char* name;
        WindowPlace frame;
        WindowPlace kept;
    } cases[] = {
        {"larger than the screen", {0, 0, 1282, 825}, {0, 30, 1280, 800}},
        {"below the bottom", {100, 500, 600, 400}, {100, 430, 600, 400}},
        {"past the right edge", {900, 100, 600, 400}, {680, 100, 600, 400}},
        {"within it, as it stands", {10, 40, 600, 400}, {10, 40, 600, 400}},
    };
    for (const auto& c : cases) {
        const WindowPlace kept = KeptOnScreen(c.frame, area);
        EXPECT_EQ(std::vector<int>({kept.left, kept.top, kept.width, kept.height}),
                  std::vector<int>({c.kept.left, c.kept.top, c.kept.width, c.kept.height}))
            << c.name;
    }
}

TEST(PanelWidthsWithin, ThePanelsShareTheBarByWhatTheyHoldThePanelOfTheFileGivingUpRoomFirst)
{
    // Usual widths of 200, 120 and 200; texts of a short file name, a block of 1020000 bytes
    // and ORG above FFFF needing 150, 140 and 260, or as short as usual (100 and 180), or a
    // long file name (500).
    const PanelWidths usual{200, 120, 200};
    const struct {
        const char* name;
        PanelWidths needed;
        int room;
        PanelWidths shared;
    } cases[] = {
        {"the usual texts: panel 1 takes the rest", {150, 100, 180}, 700, {380, 120, 200}},
        {"long texts shown whole", {150, 140, 260}, 700, {300, 140, 260}},
        {"panel 1 gives up room first", {500, 140, 260}, 700, {300, 140, 260}},
        {"down to its text's width", {150, 140, 260}, 550, {150, 140, 260}},
        {"then panels 2 and 3, in proportion", {150, 140, 260}, 510, {150, 130, 230}},
        {"a long name keeps panel 1's usual width", {500, 140, 260}, 560, {200, 130, 230}},
        {"down to their usual widths", {150, 140, 260}, 470, {150, 120, 200}},
        {"narrower than that: all alike", {150, 140, 260}, 235, {75, 60, 100}},
        {"no room at all", {150, 140, 260}, -5, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        const PanelWidths shared = PanelWidthsWithin(usual, c.needed, c.room);
        EXPECT_EQ(std::vector<int>({shared.file, shared.block, shared.addresses}),
                  std::vector<int>({c.shared.file, c.shared.block, c.shared.addresses}))
            << c.name;
    }
}

}  // namespace
