#pragma once

#include "model/DumpList.h"
#include "win32/Accessibility.h"
#include "window/BlockMapGeometry.h"
#include "window/FollowOnMarks.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The list that shows the dump lines (LstFile): an owner-drawn list box that holds no text
// of its own (LBS_NODATA) but mirrors the document's dump list, so that 32767 lines show
// at once. Each row shows a narrow gutter, with a mark in the warning colour on a line that
// does not follow on from the bytes before it (its tooltip the warning), then its dump line
// and, two characters right of the longest line, its character column in a dimmer colour
// that stays readable (DimmedTextColour). A row's tooltip names the listing's labels inside
// it. The list answers LB_GETTEXT with the dump line,
// as a list box of strings would, for tests; screen readers hear each row's dump line, its
// characters and its mark's warning, and what the list says while it is empty.
//
// Lines appended by a reader are gathered and shown together by ShowPendingLines, which
// the window calls when a command ends and before any dialog opens; so are replaced lines
// (Change ORG rewrites every line's address).
//
// The right mouse button pops the menu up at the pointer when it is released, never on the
// press, and leaves the selection as it is. Its keys go first to the window (keyHeard),
// whose key rule acts wherever the focus is; a key that asks nothing is the list's own, and
// Tab moves on to the block map. While it holds no dump lines, the list says why in its
// own space.
class DumpListBox : public DumpListObserver {
public:
    DumpListBox(HWND parent, int id, DumpList& lines);
    ~DumpListBox() override;

    HWND Handle() const { return list_; }

    // Takes the fixed-pitch `dumpFont` for the dump lines and `textFont` for what the
    // list says while empty (both owned by the window), on a monitor of `dpi` dots per inch.
    void SetFonts(HFONT dumpFont, HFONT textFont, int dpi);

    // Shows the gathered changes; with `showNewest`, scrolled so that the last line shows.
    void ShowPendingLines(bool showNewest);

    void SetEmptyText(const std::wstring& text);

    // Marks the lines where the runs of `block`'s layout after the first start, and names
    // its labels in the rows' tooltips; neither without a block.
    void ShowBlock(const MappedBlock* block);

    // Scrolls back to the first line.
    void ShowFirstLine();

    // The selected rows, in list order.
    std::vector<int> SelectedRows() const;

    // The dump line the user made current by clicking or moving in the list, or Go to or
    // Find did; empty when there is none, as after every load. CurrentRow is its row, -1
    // for none.
    std::string CurrentLine() const;
    int CurrentRow() const;

    // Makes `firstRow` current and the rows `firstRow` to `lastRow` the only selected
    // ones, scrolled into view.
    void ShowFound(int firstRow, int lastRow);

    // The height of a row; the width a row needs to show the longest dump line with its
    // character column (0 while the list is empty).
    int RowHeight() const { return rowHeight_; }
    int RowWidth() const;

    // The width a row needs for `characters` characters of the dump font, the gutter and
    // margins included.
    int WidthOf(int characters) const { return gutter_ + 2 * margin_ + characters * characterWidth_; }

    // Draws a row, for the window's WM_DRAWITEM.
    void DrawRow(const DRAWITEMSTRUCT& row) const;

    // Where the menu pops up from the keyboard, on the screen: just below the current line
    // where it shows, else at the list's top-left corner (KeyboardMenuPoint).
    POINT KeyboardMenuPoint() const;

    // Where the right button asks for the menu (in screen coordinates).
    std::function<void(POINT at)> menuRequested;
    // Hears the list's key messages and WM_KILLFOCUS first; true when it took the key.
    std::function<bool(UINT message, WPARAM wParam, LPARAM lParam)> keyHeard;

    void LinesCleared() override;
    void LineAppended(int index) override;
    void LineReplaced(int index) override;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR self);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void PointerAt(POINT at);
    void NoteWidth(int index);
    void PaintEmpty();

    DumpList& lines_;
    HWND list_;
    HWND tips_;
    FollowOnMarks marks_;
    std::vector<Label> labels_;
    HFONT dumpFont_ = nullptr;
    HFONT textFont_ = nullptr;
    int rowHeight_ = 16;
    int characterWidth_ = 8;
    int margin_ = 2;
    int gutter_ = 5;
    int shownRows_ = 0;  // rows the list box knows of
    int widestRow_ = -1;
    bool replaced_ = false;  // lines replaced since they were last shown
    bool current_ = false;   // the user has made a line current since the last load
    std::wstring emptyText_;
    std::string tip_;  // what the tooltip says now
    std::shared_ptr<AccessibleParts> accessible_;
};
