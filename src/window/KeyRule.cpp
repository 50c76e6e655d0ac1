#include "window/KeyRule.h"

namespace {

std::uint32_t LetterBit(int key)
{
    return key >= 'A' && key <= 'Z' ? std::uint32_t{1} << (key - 'A') : 0;
}

// The keys whose release with Shift let go of first still counts as with Shift: F3 and F10.
std::uint32_t ShiftedKeyBit(int key)
{
    return key == kKeyF3 ? 1 : key == kKeyF10 ? 2 : 0;
}

}  // namespace

KeyAction KeyRule::Pressed(int key, unsigned modifiers)
{
    if (modifiers == kCtrlKey) {
        downWithCtrl_ |= LetterBit(key);
    } else {
        downWithCtrl_ &= ~LetterBit(key);
    }
    if (modifiers == kShiftKey) {
        downWithShift_ |= ShiftedKeyBit(key);
    } else {
        downWithShift_ &= ~ShiftedKeyBit(key);
    }
    return {};
}

KeyAction KeyRule::Released(int key, unsigned modifiers)
{
    const bool wentDownWithCtrl = (downWithCtrl_ & LetterBit(key)) != 0;
    const bool wentDownWithShift = (downWithShift_ & ShiftedKeyBit(key)) != 0;
    downWithCtrl_ &= ~LetterBit(key);
    downWithShift_ &= ~ShiftedKeyBit(key);
    const bool shifted = modifiers == kShiftKey || (modifiers == kNoModifier && wentDownWithShift);
    KeyAction action;
    if ((key == kKeyF10 && shifted) || (modifiers == kNoModifier && key == kKeyMenu)) {
        action.popUpMenu = true;
    } else if (modifiers == kCtrlKey || (modifiers == kNoModifier && wentDownWithCtrl)) {
        if (const CommandItem* item = CommandForKey(key)) {
            action.command = item->command;
        }
    } else if (key == kKeyF3 && (modifiers == kNoModifier || modifiers == kShiftKey)) {
        action.command = shifted ? WindowCommand::FindPrevious : WindowCommand::FindNext;
    }
    return action;
}

std::optional<PixelPoint> KeyboardMenuPoint(const std::optional<PixelRect>& currentLine, int rowsHeight)
{
    if (currentLine && currentLine->top >= 0 && currentLine->Bottom() < rowsHeight) {
        return PixelPoint{currentLine->left, currentLine->Bottom() + 1};
    }
    return std::nullopt;
}
