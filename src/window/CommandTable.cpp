#include "window/CommandTable.h"

#include <algorithm>

namespace {

const std::array<CommandItem, kCommandCount> kCommands{{
    {WindowCommand::Open, "PUMOpen", "&Open...", "Ctrl+O", 'O', std::nullopt},
    {WindowCommand::ChangeOrg, "PUMChangeORG", "Change O&RG...", "Ctrl+R", 'R', Command::ChangeOrg},
    {WindowCommand::ChangeEnt, "PUMChangeENT", "Change &ENT...", "Ctrl+E", 'E', Command::ChangeEnt},
    {WindowCommand::ChangeSp, "PUMChangeSP", "Change S&P", "Ctrl+P", 'P', Command::ChangeSp},
    {WindowCommand::CopySelectionAsText, "PUMCopySelectionAsText", "&Copy Selection As Text", "Ctrl+C", 'C',
     Command::CopySelectionAsText},
    {WindowCommand::SaveExeAs, "PUMSaveExeAs", "&Save EXE As...", "Ctrl+S", 'S', Command::SaveExeAs},
    {WindowCommand::GoTo, "PUMGoTo", "&Go To...", "Ctrl+G", 'G', Command::CopySelectionAsText, true},
    {WindowCommand::FindBytes, "PUMFindBytes", "&Find Bytes...", "Ctrl+F", 'F', Command::CopySelectionAsText},
    {WindowCommand::FindNext, "PUMFindNext", "Find &Next", "F3", 0, Command::CopySelectionAsText},
    {WindowCommand::FindPrevious, "PUMFindPrevious", "Find Pre&vious", "Shift+F3", 0,
     Command::CopySelectionAsText},
    {WindowCommand::CopyAsAssemblerBytes, "PUMCopyAsAssemblerBytes", "Copy As Assembler &Bytes", "", 0,
     Command::CopySelectionAsText, true},
    {WindowCommand::CopyAsCArray, "PUMCopyAsCArray", "Copy As C &Array", "", 0, Command::CopySelectionAsText},
}};

}  // namespace

const std::array<CommandItem, kCommandCount>& CommandTable()
{
    return kCommands;
}

const CommandItem& ItemOf(WindowCommand command)
{
    return kCommands[static_cast<std::size_t>(command)];  // the table is in the enum's order
}

std::string MenuText(const CommandItem& item)
{
    return *item.keyLabel != '\0' ? std::string(item.caption) + '\t' + item.keyLabel : item.caption;
}

const CommandItem* CommandForKey(int key)
{
    const auto found = std::find_if(kCommands.begin(), kCommands.end(), [key](const CommandItem& item) {
        return item.key != 0 && item.key == key;
    });
    return found != kCommands.end() ? &*found : nullptr;
}

void CommandStates::SetEnabled(Command command, bool enabled)
{
    enabled_[static_cast<std::size_t>(command)] = enabled;
}

bool CommandStates::IsEnabled(WindowCommand command) const
{
    const std::optional<Command> gate = ItemOf(command).gate;
    return !gate || IsEnabled(*gate);
}
