#pragma once

#include "window/CommandTable.h"
#include "window/Pixels.h"

#include <cstdint>
#include <optional>

// Which key presses and releases in the dump list run which command. A window feeds the
// rule every key that goes down or up in the list (not the repeats of a key held down),
// with the modifier keys held at that moment, in the codes below; the rule says what to
// do. Keys act on release, never on the press.

// Keys as the rule knows them: a letter by its upper-case ASCII code ('A' to 'Z'), F10
// and the Menu key by codes of their own, and every other key as kOtherKey.
inline constexpr int kOtherKey = 0;
inline constexpr int kKeyF3 = 0x100 + 3;
inline constexpr int kKeyF10 = 0x100 + 10;
inline constexpr int kKeyMenu = 0x200;

// The modifier keys held, as bits.
enum ModifierKey : unsigned {
    kNoModifier = 0,
    kCtrlKey = 1,
    kShiftKey = 2,
    kAltKey = 4,
    kMetaKey = 8,  // the Windows or Command key
};

// What a key asks of the window. A key that asks nothing is the list's own (arrows, Page
// Down, Shift+arrows for the selection).
struct KeyAction {
    std::optional<WindowCommand> command;  // run this command, if it is enabled
    bool popUpMenu = false;                // pop the menu up (KeyboardMenuPoint)

    bool AsksSomething() const { return command.has_value() || popUpMenu; }
};

class KeyRule {
public:
    // A key went down. Nothing runs on a press; the rule notes the letters that go down
    // with Ctrl alone held, and F3 and F10 going down with Shift alone.
    KeyAction Pressed(int key, unsigned modifiers);

    // A key came up:
    // - Shift alone with F10, or the Menu key alone, pops the menu up; so does F10 with
    //   nothing held when Shift alone was held as it went down: Shift let go of first;
    // - C, E, F, G, O, P, R or S runs its command with Ctrl alone held, or with nothing
    //   held when Ctrl alone was held as the letter went down: fast typists let go of Ctrl
    //   first;
    // - F3 alone runs Find Next, and Shift with F3 Find Previous, also when Shift alone was
    //   held as F3 went down and was let go of first;
    // - anything else, Ctrl+Shift and Alt combinations included, asks nothing.
    KeyAction Released(int key, unsigned modifiers);

    // Forgets the letters that went down: the list has lost the keyboard focus, and their
    // releases go elsewhere.
    void Forget()
    {
        downWithCtrl_ = 0;
        downWithShift_ = 0;
    }

private:
    std::uint32_t downWithCtrl_ = 0;   // a bit for each letter, 'A' the lowest
    std::uint32_t downWithShift_ = 0;  // F3 and F10, gone down with Shift alone held
};

// Where the menu pops up from the keyboard: at the left of the current dump line, just
// below it, when the line shows whole among the rows the list shows, `rowsHeight` pixels
// from the top of its first row, so that the menu does not hide it. Nothing otherwise:
// then the menu pops up at the list's top-left corner.
std::optional<PixelPoint> KeyboardMenuPoint(const std::optional<PixelRect>& currentLine, int rowsHeight);
