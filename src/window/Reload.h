#pragma once

#include <string>
#include <string_view>
#include <vector>

class DumpList;
class QuietFrontEnd;
struct BlockState;
struct BlockValues;
struct Document;

// What the window does when the file it loaded is written again on disk: it loads it again
// by itself (WindowLogic), keeping what the user set, and says what happened without a box.

// What a screen reader says of the note in which the window says it.
inline constexpr const char* kReloadNoteDescription =
    "What happened when the file loaded was written again on disk and loaded again by itself";

// The ORG, ENT and SP the user set since the block was loaded (Change ORG, ENT and SP, and a
// binary file's ORG, given as it opened) are what a reload keeps; values the user never
// touched follow the file. After a command that loaded nothing, `kept` takes each of ORG,
// ENT and SP that is not what it was `before` it.
void KeepWhatChanged(BlockValues& kept, const BlockState& before, const BlockState& now);

// Loads the file at `path` again into `fresh`, whose front end is `quiet`, through the one
// load every file takes, and sets the values `kept` as quillet-cli's --org, --ent and --sp
// do, warning of each that no longer fits. Change SP takes no SP outside ORG's 16K page
// without asking, and a reload asks nothing: a kept SP that the block's new ORG puts outside
// its page, where it was inside the page of the block `shown`, is left as the file gives it,
// and said so. The places where dump lines do not follow on are counted. True when it gave
// a block; whether or not, `quiet` holds what there is to say. Running out of memory
// is a failed reload, said so.
bool LoadAgain(Document& fresh, QuietFrontEnd& quiet, const std::string& path, const BlockValues& kept,
               const BlockState& shown);

// What the window says of a reload of `path` at the time of day `time`, in place of a box:
// "12:04:31 GAME.OBJ loaded again." or "... not loaded again.", then what the load `said`;
// a failed one where a block is shown (`blockShown`) says that it is the one loaded before.
std::string ReloadNote(bool loaded, bool blockShown, const std::string& time, const std::string& path,
                       const std::vector<std::string>& said);

// The line to show at the top of the list after a reload, where line `shown`, `shownLine`,
// was shown before: the line at that address that lies nearest to it, where one does, else
// the line in the same place, or the last.
int KeptTopLine(std::string_view shownLine, int shown, const DumpList& lines);
