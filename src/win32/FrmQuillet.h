#pragma once

#include "win32/WindowFrontEnd.h"
#include "window/CommandTable.h"
#include "window/KeyRule.h"
#include "window/WindowLogic.h"
#include "window/WindowView.h"

#include <windows.h>

#include <shellapi.h>  // needs windows.h first

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class BlockMap;
class DumpListBox;
class FileDialogs;
class FolderListener;
class StatusBar;

// The main window: the dump list (LstFile), the block map below it, the status bar
// (StBInfo) with its three panels, and the commands, offered by the pop-up menu
// (PUMMain) and by keys in the list. It owns the document every command works on and is
// its front end. A file dropped onto the window is opened as Open opens it. The file loaded
// is followed by a change notification on its folder, waited on by a thread of its own
// (FolderWatch), so that a new file renamed over it is heard of too; what a reload did
// shows in the note below the block map. The window follows the scale of the monitor it is
// on. What it does is the window's logic
// (WindowLogic); this is its view, with the Windows API.
class FrmQuillet : private WindowView {
public:
    // The window, not shown yet, asking `dialogs` for file names.
    explicit FrmQuillet(FileDialogs& dialogs);
    ~FrmQuillet() override;
    FrmQuillet(const FrmQuillet&) = delete;
    FrmQuillet& operator=(const FrmQuillet&) = delete;

    HWND Handle() const { return window_; }

    // Loads `path` as Open does once its dialog has closed.
    void OpenFile(const std::string& path);

    const BlockState& State() const { return logic_.State(); }

    // Runs once the window is closed (and gone): the program ends then.
    std::function<void()> closed;

    // The controls' ids, and the menu items' (kFirstMenuId + the command's place in the
    // table), for finding them.
    static constexpr int kListId = 1;
    static constexpr int kMapId = 2;
    static constexpr int kStatusBarId = 3;
    static constexpr int kNoteId = 4;
    static constexpr int kFirstMenuId = 100;

    // The block map, for its tooltips.
    const BlockMap& Map() const { return *map_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Create();
    void UseDpi(int dpi);
    void Layout();
    SIZE WindowSizeFor(int clientWidth, int clientHeight) const;
    int MinimumListHeight() const;
    RECT WorkArea() const;  // of the monitor the window is on

    // A key message of the list or the map, or its WM_KILLFOCUS: what the key rule says of
    // it is done, the menu popping up at `menuAt`; true when the key asked something.
    bool KeyHeard(POINT menuAt, UINT message, WPARAM wParam, LPARAM lParam);
    void PopUpMenu(POINT at);
    void OpenDropped(HDROP drop);

    // WindowView
    void ShowPendingLines(bool showNewest) override;
    void ShowBlock(const MappedBlock* block) override;
    void SetEmptyText(const std::string& text) override;
    void ShowFirstLine() override;
    std::optional<LineRoom> RoomForWidestLine() const override;
    void PlaceWindow(const WindowSpan& span) override;
    std::string CurrentLine() const override;
    std::vector<int> SelectedRows() const override;
    void PutOnClipboard(const std::string& text) override;
    std::optional<std::string> AskOpenPath(const std::string& presetName,
                                           const std::optional<std::string>& folder) override;
    std::optional<std::string> AskSavePath(const std::string& presetPath) override;
    void CommandRunning(bool running) override;
    int CurrentRow() const override;
    void ShowFound(int firstRow, int lastRow) override;
    void MoveMapCursor(std::int32_t address) override;
    void FollowFile(const std::string& path) override;
    void LookAgainIn(std::chrono::milliseconds delay) override;
    void ShowNote(const std::string& text) override;
    int TopLine() const override;
    void ShowLineAtTop(int line) override;

    // The note's height at `width`, its text wrapped; 0 while it shows nothing.
    int NoteHeight(int width) const;

    FileDialogs& dialogs_;
    WindowFrontEnd frontEnd_;
    WindowLogic logic_;
    HWND window_ = nullptr;
    std::unique_ptr<DumpListBox> list_;  // after logic_: it stops observing the list before the list goes
    std::unique_ptr<BlockMap> map_;
    std::unique_ptr<StatusBar> bar_;
    HWND note_ = nullptr;
    std::unique_ptr<FolderListener> listener_;  // of the folder of the file followed
    HMENU menu_ = nullptr;
    HFONT dumpFont_ = nullptr;
    HFONT textFont_ = nullptr;
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::string dropped_;     // the file dropped, opened once the drop is over
    HWND focused_ = nullptr;  // the control that had the focus when the window was last active
    KeyRule keys_;
};
