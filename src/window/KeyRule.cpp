#include "window/KeyRule.h"

namespace {

std::uint32_t LetterBit(int key)
{
    return key >= 'A' && key <= 'Z' ? std::uint32_t{1} << (key - 'A') : 0;
}

}  // namespace

KeyAction KeyRule::Pressed(int key, unsigned modifiers)
{
    if (key == kKeyF10) {
        f10DownWithShift_ = modifiers == kShiftKey;
    }
    if (modifiers == kCtrlKey) {
        downWithCtrl_ |= LetterBit(key);
    } else {
        downWithCtrl_ &= ~LetterBit(key);
    }
    return {};
}

KeyAction KeyRule::Released(int key, unsigned modifiers)
{
    const bool wentDownWithCtrl = (downWithCtrl_ & LetterBit(key)) != 0;
    downWithCtrl_ &= ~LetterBit(key);
    const bool f10DownWithShift = key == kKeyF10 && f10DownWithShift_;
    if (key == kKeyF10) {
        f10DownWithShift_ = false;
    }
    KeyAction action;
    if ((key == kKeyF10 && (modifiers == kShiftKey || (modifiers == kNoModifier && f10DownWithShift))) ||
        (modifiers == kNoModifier && key == kKeyMenu)) {
        action.popUpMenu = true;
    } else if (modifiers == kCtrlKey || (modifiers == kNoModifier && wentDownWithCtrl)) {
        if (const CommandItem* item = CommandForKey(key)) {
            action.command = item->command;
        }
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
