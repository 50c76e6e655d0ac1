#pragma once

#include "convert/FollowedFile.h"
#include "edit/SetBlockValues.h"
#include "model/Document.h"
#include "window/CommandTable.h"
#include "window/GoToAndFind.h"
#include "window/LoadedBlock.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class WindowView;

// The window's logic, the same in every toolkit: it owns the document every command works
// on and runs the steps of each command in one order (the command itself; then the dump
// lines it left, the block map and the marks), reaching the window only through its view.
// A load is the same steps wherever it comes from (Open, a dropped file): the list says why
// it is empty, a loaded block's longest line is shown whole where the screen has room, and
// the list starts at its first line.
//
// One command runs at a time, to its end: every question, prompt and dialog is modal, but a
// system may still deliver a dropped file or a menu command while one is open. Anything
// that arrives while a command runs (a command, a load) is refused, so that a question
// about one block is never answered for another.
//
// The window follows the file it loaded last (Open, a dropped file): written again on disk,
// in place or by a new file renamed over it, the file is loaded again by itself once it has
// been quiet for a moment (FollowedFile), never during a command: a change heard while one
// runs is looked at when it ends. What the user set (ORG, ENT, SP) is kept, the rest follows
// the file (Reload.h). A reload asks nothing and shows no box: what it has to say is the
// window's note. One that fails leaves the block shown as it was; the list stays at the line
// it showed, and nothing is saved by it.
class WindowLogic : private ListPlaces {
public:
    // `frontEnd` is the window's, and `commands` which commands it has enabled.
    WindowLogic(FrontEnd& frontEnd, const CommandStates& commands, WindowView& view);
    WindowLogic(const WindowLogic&) = delete;
    WindowLogic& operator=(const WindowLogic&) = delete;

    Document& Doc() { return doc_; }
    const Document& Doc() const { return doc_; }
    const BlockState& State() const { return doc_.state; }

    // Runs `command` as its menu item or key asks, if it is enabled and no command runs.
    void Run(WindowCommand command);

    // Loads `path` as Open does once its dialog has closed (a dropped file): refused, and
    // false, while a command runs.
    bool OpenFile(const std::string& path);

    // Whether a command is under way.
    bool Running() const { return running_; }

    // The window heard of a change to the file followed, or in its folder, or the time it was
    // asked to look again (LookAgainIn) has come, at `now`.
    void FileMayHaveChanged(FollowedFile::Clock::time_point now = FollowedFile::Clock::now());

    // Before a message, question or prompt: the window shows what the user is asked about,
    // the dump lines so far with the newest in sight and, except halfway through a load, the
    // block as it stands (Change ORG asks about SP and ENT once the block has moved).
    void BeforeDialog();

private:
    void RunCommand(const std::function<void()>& command);
    void ShowBlockMap();
    void Load(const std::string& path);
    void WidenToWidestLine();
    void Open();
    void CopySelectionAsText();
    void Reload();
    void LookIfHeardMeanwhile();
    void FindInList(WindowCommand command);

    // ListPlaces, for Go to and Find: the view's list, and its map's cursor, which stays
    // where they put it until the next command.
    int CurrentRow() const override;
    void ShowFound(int firstRow, int lastRow, std::int32_t mapAddress) override;

    Document doc_;
    const CommandStates& commands_;
    WindowView& view_;
    LoadedBlock loads_;
    BlockFinder finder_;
    std::optional<std::int32_t> mapCursor_;  // where Go to or Find put the map's cursor
    bool running_ = false;
    int loadCount_ = 0;            // loads run by the user: a command that ran one set nothing
    FollowedFile followed_;        // the file loaded last
    BlockValues kept_;             // what the user set since, which a reload keeps
    bool heardMeanwhile_ = false;  // of a change, while a command ran
};
