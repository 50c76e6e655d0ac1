#pragma once

#include "window/BlockMapGeometry.h"
#include "window/ListSizing.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the window's logic (WindowLogic) asks of a toolkit's window: what it shows, and
// what it asks the person at it. Each toolkit's FrmQuillet implements it with its own
// calls; the steps and their order are the logic's.
class WindowView {
public:
    virtual ~WindowView() = default;

    // Shows the dump lines gathered since the last call; with `showNewest`, scrolled so
    // that the last one shows (a reader's message is about the line it stopped at).
    virtual void ShowPendingLines(bool showNewest) = 0;

    // Shows `block` on the block map and its marks in the list's gutter; nothing loaded
    // when null.
    virtual void ShowBlock(const MappedBlock* block) = 0;

    // What the list says while it holds no dump lines.
    virtual void SetEmptyText(const std::string& text) = 0;

    // Scrolls the list back to its first line.
    virtual void ShowFirstLine() = 0;

    // The room the list has for its longest dump line; nothing where the window is not to
    // be widened (the list is empty, or the window maximised).
    virtual std::optional<LineRoom> RoomForWidestLine() const = 0;

    // Moves and widens the window to `span`, its frame included; its height stays.
    virtual void PlaceWindow(const WindowSpan& span) = 0;

    // The dump line the user made current, the Open dialog's preset name; empty for none.
    virtual std::string CurrentLine() const = 0;

    // The selected rows of the list, in list order.
    virtual std::vector<int> SelectedRows() const = 0;

    // Puts `text` (dump lines, 8-bit text) on the clipboard in place of what was there.
    virtual void PutOnClipboard(const std::string& text) = 0;

    // The Open dialog, with `presetName` as its file name, starting in `folder` if any;
    // the path chosen, or nothing on Cancel.
    virtual std::optional<std::string> AskOpenPath(const std::string& presetName,
                                                   const std::optional<std::string>& folder) = 0;

    // The Save dialog, offering `presetPath`; the path chosen, or nothing on Cancel.
    virtual std::optional<std::string> AskSavePath(const std::string& presetPath) = 0;

    // A command started (`running` true) or ended: while one runs, the window takes no
    // dropped file.
    virtual void CommandRunning(bool running) = 0;

    // Following the file loaded, so that it is loaded again when it is written again on
    // disk: from now on the window calls the logic's FileMayHaveChanged whenever the system
    // tells of a change to the file at `path` or in its folder (a new file renamed over it
    // is one); an empty `path` follows nothing.
    virtual void FollowFile(const std::string& path) = 0;

    // Calls the logic's FileMayHaveChanged once more after `delay`, in place of any call
    // asked for before.
    virtual void LookAgainIn(std::chrono::milliseconds delay) = 0;

    // Shows `text`, what a reload did, without a box (below the block map) and tells screen
    // readers of it; an empty `text` shows nothing there.
    virtual void ShowNote(const std::string& text) = 0;

    // The line at the top of the list (0 when it is empty), and scrolling `line` there.
    virtual int TopLine() const = 0;
    virtual void ShowLineAtTop(int line) = 0;
    // The row of the dump line the user made current (with the keys or the mouse, or by Go
    // to or Find), -1 for none: the first line, current after a load so that screen
    // readers tell it, is not the user's choice, and a search starts above it.
    virtual int CurrentRow() const = 0;

    // Makes `firstRow` the current row and the rows `firstRow` to `lastRow` the only
    // selected ones, scrolled into view.
    virtual void ShowFound(int firstRow, int lastRow) = 0;

    // Moves the block map's keyboard cursor to `address`.
    virtual void MoveMapCursor(std::int32_t address) = 0;
};
