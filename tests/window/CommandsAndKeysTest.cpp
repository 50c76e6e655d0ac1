// The command table, which commands may run, and the key rule: which key presses and
// releases run which command.

#include "model/TextUtil.h"
#include "window/KeyRule.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace {

TEST(CommandTable, EachItemsKeyLabelNamesItsKeyAndOnlyOpenIsNeverDisabled)
{
    std::string mnemonics;
    for (const CommandItem& item : CommandTable()) {
        CommandStates states;
        if (item.key != 0) {
            EXPECT_EQ(std::string(item.keyLabel), std::string("Ctrl+") + item.key) << item.name;
            EXPECT_EQ(CommandForKey(item.key), &item) << item.name;
        }
        const char* mnemonic = std::strchr(item.caption, '&');
        ASSERT_NE(mnemonic, nullptr) << item.name;
        EXPECT_EQ(mnemonics.find(ToUpperAscii(mnemonic[1])), std::string::npos) << item.name;
        mnemonics += ToUpperAscii(mnemonic[1]);
        EXPECT_EQ(&ItemOf(item.command), &item) << item.name;
        EXPECT_EQ(states.IsEnabled(item.command), item.command == WindowCommand::Open) << item.name;
        if (item.gate) {
            states.SetEnabled(*item.gate, true);
            EXPECT_TRUE(states.IsEnabled(item.command)) << item.name;
        }
    }
    EXPECT_EQ(MenuText(ItemOf(WindowCommand::ChangeSp)), "Change S&P\tCtrl+P");
    EXPECT_EQ(MenuText(ItemOf(WindowCommand::CopyAsCArray)), "Copy As C &Array");  // no key
    EXPECT_FALSE(IsCommandKey(kOtherKey));
    EXPECT_FALSE(IsCommandKey('A'));
    EXPECT_FALSE(IsCommandKey('c'));  // letters come upper-case
}

// A key going down (+) or up (-) with the modifier keys held then.
struct KeyEvent {
    bool down;
    int key;
    unsigned modifiers;
};

struct KeyCase {
    const char* name;
    std::vector<KeyEvent> events;
    // What the events ask, one text for each that asks something: a command's menu item
    // name, or "menu".
    std::vector<std::string> asked;
};

// Named in test listings by its name alone.
void PrintTo(const KeyCase& c, std::ostream* out)
{
    *out << c.name;
}

class KeyRuleTest : public testing::TestWithParam<KeyCase> {};

TEST_P(KeyRuleTest, AsksForWhatTheKeysSay)
{
    KeyRule rule;
    std::vector<std::string> asked;
    for (const KeyEvent& event : GetParam().events) {
        const KeyAction action =
            event.down ? rule.Pressed(event.key, event.modifiers) : rule.Released(event.key, event.modifiers);
        if (action.command) {
            asked.push_back(ItemOf(*action.command).name);
        }
        if (action.popUpMenu) {
            asked.push_back("menu");
        }
    }
    EXPECT_EQ(asked, GetParam().asked);
}

constexpr unsigned kCtrlShift = kCtrlKey | kShiftKey;

INSTANTIATE_TEST_SUITE_P(
    PressAndReleaseOrders, KeyRuleTest,
    testing::Values(
        KeyCase{
            "CtrlHeldThroughout",
            {{true, 'C', kCtrlKey}, {false, 'C', kCtrlKey}, {true, 'O', kCtrlKey}, {false, 'O', kCtrlKey}},
            {"PUMCopySelectionAsText", "PUMOpen"}},
        KeyCase{
            "EveryCommandLetter",
            {{false, 'R', kCtrlKey}, {false, 'E', kCtrlKey}, {false, 'P', kCtrlKey}, {false, 'S', kCtrlKey}},
            {"PUMChangeORG", "PUMChangeENT", "PUMChangeSP", "PUMSaveExeAs"}},
        KeyCase{"OtherModifiersOrNone",
                {{false, 'O', kCtrlShift},
                 {false, 'O', kAltKey},
                 {false, 'O', kCtrlKey | kAltKey},
                 {false, 'O', kCtrlKey | kMetaKey},
                 {false, 'O', kNoModifier},
                 {false, 'A', kCtrlKey},
                 {false, kOtherKey, kCtrlKey}},
                {}},
        KeyCase{"NothingOnThePress", {{true, 'S', kCtrlKey}, {true, kKeyF10, kShiftKey}}, {}},
        KeyCase{"ShiftF10Alone",
                {{false, kKeyF10, kShiftKey}, {false, kKeyF10, kNoModifier}, {false, kKeyF10, kCtrlShift}},
                {"menu"}},
        // Shift down, F10 down, Shift up, F10 up: as `xdotool key shift+F10` sends them.
        KeyCase{"ShiftReleasedBeforeF10",
                {{true, kKeyF10, kShiftKey},
                 {false, kKeyF10, kNoModifier},
                 {false, kKeyF10, kNoModifier},
                 {true, kKeyF10, kCtrlShift},
                 {false, kKeyF10, kNoModifier}},
                {"menu"}},
        KeyCase{"MenuKeyAlone", {{false, kKeyMenu, kNoModifier}, {false, kKeyMenu, kShiftKey}}, {"menu"}},
        // Ctrl down, C down, Ctrl up, C up: as fast typists type.
        KeyCase{"CtrlReleasedFirst",
                {{true, 'C', kCtrlKey},
                 {false, 'C', kNoModifier},
                 {true, 'S', kCtrlKey},
                 {false, 'S', kNoModifier}},
                {"PUMCopySelectionAsText", "PUMSaveExeAs"}},
        KeyCase{"OnceForEachPress",
                {{true, 'C', kCtrlKey}, {false, 'C', kNoModifier}, {false, 'C', kNoModifier}},
                {"PUMCopySelectionAsText"}},
        KeyCase{"CtrlReleasedFirstButShiftHeld", {{true, 'O', kCtrlKey}, {false, 'O', kShiftKey}}, {}},
        KeyCase{"LetterDownWithoutCtrl",
                {{true, 'R', kNoModifier},
                 {false, 'R', kNoModifier},
                 {true, 'E', kCtrlShift},
                 {false, 'E', kNoModifier}},
                {}},
        KeyCase{
            "CtrlPressedAfterTheLetter", {{true, 'P', kNoModifier}, {false, 'P', kCtrlKey}}, {"PUMChangeSP"}},
        KeyCase{"GoToAndFind",
                {{false, 'G', kCtrlKey}, {true, 'F', kCtrlKey}, {false, 'F', kNoModifier}},
                {"PUMGoTo", "PUMFindBytes"}},
        KeyCase{"F3AloneOrWithShift",
                {{true, kKeyF3, kNoModifier},
                 {false, kKeyF3, kNoModifier},
                 {false, kKeyF3, kShiftKey},
                 {false, kKeyF3, kCtrlKey},
                 {false, kKeyF3, kAltKey}},
                {"PUMFindNext", "PUMFindPrevious"}},
        // Shift let go of before F3: still Find Previous, and the next F3 alone Find Next.
        KeyCase{"ShiftReleasedBeforeF3",
                {{true, kKeyF3, kShiftKey},
                 {false, kKeyF3, kNoModifier},
                 {true, kKeyF3, kNoModifier},
                 {false, kKeyF3, kNoModifier}},
                {"PUMFindPrevious", "PUMFindNext"}}),
    [](const testing::TestParamInfo<KeyCase>& param) { return std::string(param.param.name); });

TEST(KeyRule, ForgetsTheLettersDownWhenTheFocusGoes)
{
    KeyRule rule;
    rule.Pressed('C', kCtrlKey);
    rule.Forget();
    EXPECT_FALSE(rule.Released('C', kNoModifier).AsksSomething());
}

TEST(KeyboardMenuPoint, BelowTheCurrentLineWhereItShowsWhole)
{
    EXPECT_EQ(KeyboardMenuPoint(PixelRect{0, 40, 300, 16}, 200)->y, 56);
    EXPECT_EQ(KeyboardMenuPoint(PixelRect{0, 184, 300, 16}, 200)->y, 200);        // its last row is the last
    EXPECT_EQ(KeyboardMenuPoint(PixelRect{0, 185, 300, 16}, 200), std::nullopt);  // one row past it
    EXPECT_EQ(KeyboardMenuPoint(PixelRect{0, 190, 300, 16}, 200), std::nullopt);  // cut at the bottom
    EXPECT_EQ(KeyboardMenuPoint(PixelRect{0, -8, 300, 16}, 200), std::nullopt);   // scrolled away
    EXPECT_EQ(KeyboardMenuPoint(std::nullopt, 200), std::nullopt);
}

}  // namespace
