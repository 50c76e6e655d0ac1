#pragma once

#include "model/FrontEnd.h"

#include <array>
#include <optional>
#include <string>

// The window's six commands: the pop-up menu lists them, keys in the list ask for them,
// and the logic switches five of them on and off. The menu, the keys and which key is a
// command's all come from the one table below.

enum class WindowCommand { Open, ChangeOrg, ChangeEnt, ChangeSp, CopySelectionAsText, SaveExeAs };

struct CommandItem {
    WindowCommand command;
    const char* name;      // the menu item's name: "PUMOpen"
    const char* caption;   // with its mnemonic after "&": "&Open..."
    const char* keyLabel;  // the key shown beside the caption, a label only: "Ctrl+O"
    char key;              // the letter that asks for the command with Ctrl: 'O'
    // The logic's command whose enabled state the item follows; none for Open, which is
    // never disabled.
    std::optional<Command> gate;
};

// Every command, in menu order.
const std::array<CommandItem, 6>& CommandTable();

const CommandItem& ItemOf(WindowCommand command);

// The menu item's text: its caption, a tab, and its key's label.
std::string MenuText(const CommandItem& item);

// The command that Ctrl with `key` asks for, if `key` is one of the letters of the table
// (an upper-case ASCII code); nullptr for any other key.
const CommandItem* CommandForKey(int key);

inline bool IsCommandKey(int key)
{
    return CommandForKey(key) != nullptr;
}

// Which commands may run now: Open always; the others not until the logic enables them
// (after a load), and then as it switches them. Both the menu and the keys ask here.
class CommandStates {
public:
    void SetEnabled(Command command, bool enabled);
    bool IsEnabled(Command command) const { return enabled_[static_cast<std::size_t>(command)]; }
    bool IsEnabled(WindowCommand command) const;

private:
    std::array<bool, 5> enabled_{};  // by Command
};
