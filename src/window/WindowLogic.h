#pragma once

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
};
