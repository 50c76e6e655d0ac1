// The smaller rules of the window: what Save takes and where its dialog starts, where Open
// starts, which dropped files open, the status panels' widths, the character column, and
// how far the window widens for a long dump line.

#include "TempDir.h"
#include "window/DumpListText.h"
#include "window/FileDialogSetup.h"
#include "window/ListSizing.h"
#include "window/StatusPanels.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

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

TEST(StatusPanels, KeepTheWidthOfTheirWidestTextsWithTheWidestDigit)
{
    // Every character 7 pixels wide but "D", 9; a panel adds 10 to its text.
    const auto characterWidth = [](char c) { return c == 'D' ? 9 : 7; };
    const auto widthFor = [&](const std::string& text) {
        int width = 10;
        for (const char c : text) {
            width += characterWidth(c);
        }
        return width;
    };
    const PanelWidths widths = PanelWidthsFor(widthFor, characterWidth);
    EXPECT_EQ(widths.block, widthFor("Block=524272 bytes "));
    EXPECT_EQ(widths.addresses, widthFor("Org=&HDDDD, Ent=&HDDDD, SP=&HDDDD "));
    EXPECT_EQ(widths.file, widths.addresses);  // wider than "LST File Lenght"
    EXPECT_EQ(std::string(StatusPanels()[0].designText), "LST File Lenght");
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

}  // namespace
