// ORG, ENT and SP given to a command-line conversion: one warning for each check the
// final values fail, and the executable written all the same. What the conversion
// refuses is tested on the built programs (tests/cli, tests/window).

#include "ScriptedFrontEnd.h"
#include "TempDir.h"
#include "convert/CommandLineConversion.h"
#include "model/Document.h"

#include <gtest/gtest.h>

namespace {

class Conversion : public ::testing::Test {
protected:
    ExitStatus Convert(const std::string& source, std::optional<std::string> output, BlockValues values)
    {
        return ConvertFromCommandLine(doc, ConversionRequest{source, std::move(output), values});
    }

    TempDir dir;
    ScriptedFrontEnd ui;
    Document doc{ui};
};

}  // namespace

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
