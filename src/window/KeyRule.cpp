#include "window/KeyRule.h"

KeyAction KeyRule::Pressed(int, unsigned)
{
    return {};
}

KeyAction KeyRule::Released(int key, unsigned modifiers)
{
    KeyAction action;
    if (modifiers == kShiftKey && key == kKeyF10) {
        action.popUpMenu = true;
    } else if (modifiers == kCtrlKey) {
        if (const CommandItem* item = CommandForKey(key)) {
            action.command = item->command;
        }
    }
    return action;
}
