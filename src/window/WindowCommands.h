#pragma once

#include "window/CommandTable.h"
#include "window/CopyAsSource.h"

#include <functional>
#include <optional>
#include <string>

struct Document;
class LoadedBlock;

// What only the window itself does for its commands: the Open dialog and the load, the
// copies of the selected dump lines, the Save dialog, and finding places in its list.
struct WindowSide {
    std::function<void()> open;
    std::function<void()> copySelectionAsText;
    // The Save dialog, with `presetPath` chosen: the path chosen, or nothing on Cancel.
    std::function<std::optional<std::string>(const std::string& presetPath)> askSavePath;
    std::function<void(SourceForm form)> copySelectionAsSource;
    // Go to, Find Bytes, Find Next or Find Previous.
    std::function<void(WindowCommand command)> findInList;
};

// Runs `command` on the document, as its menu item or key asks: Change ORG, ENT and SP
// and Save EXE As as the logic has them, Open, the copies and the commands that find your
// way in the block as `window` does them. The caller has checked that the command is
// enabled.
void RunWindowCommand(Document& doc, WindowCommand command, const WindowSide& window);

// Save EXE As: the Save dialog, offering ExePath; a name Save does not take
// (SavePathRefusal) is refused with the warning icon and offered again; Cancel shows
// "Save canceled!" and leaves ExePath as it was; otherwise ExePath becomes the name chosen
// and the executable is written, asking before it replaces a file.
void SaveExeAs(Document& doc, const WindowSide& window);

// Runs a command of the window, `command`. One that runs out of memory ends there: the
// load under way, if any, is abandoned, and the user is told kOutOfMemoryMessage; the
// window goes on.
void RunTellingOfMemory(Document& doc, LoadedBlock& loads, const std::function<void()>& command);
