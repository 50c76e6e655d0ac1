#pragma once

#include "model/FrontEnd.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

// The window's commands: the pop-up menu lists them, keys in the list ask for them, and
// the logic switches all but Open on and off. The menu, the keys and which key is a
// command's all come from the one table below. After the six that every window of ours
// has had come those that find your way in the block and copy its bytes as source.

enum class WindowCommand {
    Open,
    ChangeOrg,
    ChangeEnt,
    ChangeSp,
    CopySelectionAsText,
    SaveExeAs,
    GoTo,
    FindBytes,
    FindNext,
    FindPrevious,
    CopyAsAssemblerBytes,
    CopyAsCArray,
};

inline constexpr std::size_t kCommandCount = 12;

struct CommandItem {
    WindowCommand command;
    const char* name;      // the menu item's name: "PUMOpen"
    const char* caption;   // with its mnemonic after "&": "&Open..."
    const char* keyLabel;  // the key shown beside the caption, a label only: "Ctrl+O"; "" for none
    char key;              // the letter that asks for the command with Ctrl: 'O'; 0 for none
    // The logic's command whose enabled state the item follows; none for Open, which is
    // never disabled. The commands that find your way and copy as source follow Copy
    // Selection As Text: they may run whenever a block is loaded.
    std::optional<Command> gate;
    // The menu shows a separator before the item.
    bool startsGroup = false;
};

// Every command, in menu order.
const std::array<CommandItem, kCommandCount>& CommandTable();

const CommandItem& ItemOf(WindowCommand command);

// The menu item's text: its caption, and a tab and its key's label if it has a key.
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
