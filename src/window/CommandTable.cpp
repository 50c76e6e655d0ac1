#include "window/CommandTable.h"

#include <algorithm>

namespace {

const std::array<CommandItem, 6> kCommands{{
    {WindowCommand::Open, "PUMOpen", "&Open...", "Ctrl+O", 'O', std::nullopt},
    {WindowCommand::ChangeOrg, "PUMChangeORG", "Change O&RG...", "Ctrl+R", 'R', Command::ChangeOrg},
    {WindowCommand::ChangeEnt, "PUMChangeENT", "Change &ENT...", "Ctrl+E", 'E', Command::ChangeEnt},
    {WindowCommand::ChangeSp, "PUMChangeSP", "Change S&P", "Ctrl+P", 'P', Command::ChangeSp},
    {WindowCommand::CopySelectionAsText, "PUMCopySelectionAsText", "&Copy Selection As Text", "Ctrl+C", 'C',
     Command::CopySelectionAsText},
    {WindowCommand::SaveExeAs, "PUMSaveExeAs", "&Save EXE As...", "Ctrl+S", 'S', Command::SaveExeAs},
}};

}  // namespace

const std::array<CommandItem, 6>& CommandTable()
{
    return kCommands;
}

const CommandItem& ItemOf(WindowCommand command)
{
    return kCommands[static_cast<std::size_t>(command)];  // the table is in the enum's order
}

std::string MenuText(const CommandItem& item)
{
    return std::string(item.caption) + '\t' + item.keyLabel;
}

const CommandItem* CommandForKey(int key)
{
    const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                    [key](const CommandItem& item) { return item.key == key; });
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
