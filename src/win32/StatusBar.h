#pragma once

#include "win32/Accessibility.h"
#include "window/StatusPanels.h"

#include <windows.h>

#include <array>
#include <memory>
#include <string>

// The status bar (StBInfo), a common controls status bar along the window's bottom edge
// with the three panels: the file name and its length, the block's size, ORG, ENT and SP.
// They share the bar by what they hold (PanelWidthsWithin), as their texts change and as
// the bar is resized: panels 2 and 3 as wide as their texts need, never narrower than
// usual; panel 1 the rest. A panel's tooltip is its whole text where the panel cuts it
// short, else its design-time string. A screen reader hears each panel's name, text and
// description.
class StatusBar {
public:
    StatusBar(HWND parent, int id);
    ~StatusBar();
    StatusBar(const StatusBar&) = delete;
    StatusBar& operator=(const StatusBar&) = delete;

    HWND Handle() const { return bar_; }

    // Takes `font` (owned by the window) for the panels and works out their widths, for
    // a monitor of `dpi` dots per inch.
    void SetFont(HFONT font, int dpi);

    void SetText(StatusPanel panel, const std::wstring& text);

    // Follows the parent's new size: along its bottom edge, with the panels laid out again.
    void Layout();

    int Height() const;

    // The least width that shows every panel at its usual width, the size grip included,
    // whatever the panels' texts.
    int MinimumWidth() const;

private:
    static LRESULT CALLBACK Proc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR self);
    int TextWidth(const std::wstring& text) const;
    // The gap the bar leaves between two parts.
    int PartGap() const;
    void UpdateToolTips();

    HWND bar_;
    HWND tips_;
    HFONT font_ = nullptr;
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    PanelWidths widths_;  // the usual widths
    std::array<std::wstring, 3> texts_;
    std::shared_ptr<AccessibleParts> accessible_;
};
