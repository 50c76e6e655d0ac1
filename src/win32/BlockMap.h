#pragma once

#include "window/BlockMapGeometry.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// The block map, a strip across the window below the dump list: the 64K address space as
// its four 16K pages, the addresses the block's bytes load into (hatched where the block
// holds more than 64K), ENT and SP as markers above the strip, and in the warning colour
// each place where a dump line does not follow on. A tooltip over any point gives the
// address, its 16K page and what is there. What goes where, and what the tooltip says, is
// worked out by BlockMapGeometry and BlockMapToolTip; this paints it with GDI.
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

    // The pixel column that shows `address`, and what the tooltip there says.
    int XOf(std::int32_t address) const { return Geometry().XOf(address); }
    std::wstring ToolTipAt(int x) const;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    BlockMapGeometry Geometry() const;
    int TextWidth(HDC dc, const std::string& text) const;
    void Paint(HDC dc) const;
    void PointerAt(int x);

    HWND map_ = nullptr;
    HWND tips_ = nullptr;
    HFONT font_ = nullptr;
    int rowHeight_ = 16;
    std::optional<MappedBlock> block_;
    std::wstring tip_;  // what the tooltip says now
};
