#pragma once

#include "win32/Accessibility.h"
#include "window/BlockMapGeometry.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// The block map, below the dump list: the overview of the 64K address space in its four
// 16K pages, with where the block's bytes load (hatched where the block holds more than
// 64K), ENT and SP, and in the warning colour each place where a dump line does not follow
// on; and below it the detail row, which spans the block's own bytes. A tooltip over any
// point says what is there. The map takes the keyboard's focus with Tab: the arrow keys,
// Home and End move a cursor along the overview from one thing to the next, and its
// tooltip shows what is there. The right button pops the menu up at the pointer, as over
// the list. The map only shows: it changes nothing. What goes where,
// and what the tooltips say, is worked out by BlockMapGeometry and BlockMapTips; this
// paints it with GDI. A screen reader hears what it shows, and what is at its cursor.
class BlockMap {
public:
    BlockMap(HWND parent, int id);

    HWND Handle() const { return map_; }

    // Takes `font` (owned by the window) for the labels.
    void SetFont(HFONT font);

    // Shows `block`, or the empty address space when nothing is loaded.
    void Show(std::optional<MappedBlock> block);

    // The map's height, and the least width that shows its four pages' labels.
    int Height() const { return BlockMapGeometry::Height(rowHeight_); }
    int MinimumWidth() const;

    // Where the map draws what, at its present size.
    BlockMapGeometry Geometry() const;

    // The point on the overview's strip that shows `address`, and the point on the detail
    // row's strip that shows the byte `offset` bytes into the block.
    POINT PointOf(std::int32_t address) const;
    POINT DetailPointOf(std::int64_t offset) const;

    // Where the keyboard's cursor is on the overview, and moving it to `address`.
    std::int32_t Cursor() const { return cursor_; }
    void MoveCursor(std::int32_t address);

    // Where the menu pops up from the keyboard, on the screen: at the cursor, just below
    // the overview's strip.
    POINT KeyboardMenuPoint() const;

    // Where the right button asks for the menu (in screen coordinates).
    std::function<void(POINT at)> menuRequested;
    // Hears the map's key messages and WM_KILLFOCUS first; true when it took the key.
    std::function<bool(UINT message, WPARAM wParam, LPARAM lParam)> keyHeard;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    const MappedBlock* Block() const { return block_ ? &*block_ : nullptr; }
    void Changed();
    int TextWidth(HDC dc, const std::string& text) const;
    void Paint(HDC dc) const;
    void PaintStrip(HDC dc, const PixelRect& strip, const std::vector<StripPiece>& pieces,
                    const std::vector<int>& ticks, bool halfTicks) const;
    void PaintMarkers(HDC dc, const MapMarkers& markers, int stripTop) const;
    void PointerAt(int x, int y);
    void ShowCursorTip(bool show);

    HWND map_ = nullptr;
    HWND pointerTip_ = nullptr;  // over the point the mouse pointer rests on
    HWND cursorTip_ = nullptr;   // at the keyboard's cursor
    HFONT font_ = nullptr;
    int rowHeight_ = 16;
    std::optional<MappedBlock> block_;
    std::int32_t cursor_ = 0;
    std::string pointerText_;  // what the pointer's tooltip says now
    std::shared_ptr<AccessibleParts> accessible_;
};
