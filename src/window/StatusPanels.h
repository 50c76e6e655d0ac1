#pragma once

#include "model/FrontEnd.h"

#include <array>
#include <functional>
#include <string>

// The status bar's three panels: their names, design-time strings and widths.

struct PanelItem {
    StatusPanel panel;
    const char* key;         // the panel's name: "LEN"
    const char* designText;  // the design-time string, its tooltip; empty for none
    const char* name;        // what a screen reader calls it, and says of it
    const char* description;
};

// What a screen reader calls the status bar's size grip, where it has one of its own.
inline constexpr const char* kSizeGripName = "Size grip";

// The panels, left to right: the file and its length, the block's size, ORG, ENT and SP.
const std::array<PanelItem, 3>& StatusPanels();

// The panels' widths, in pixels.
struct PanelWidths {
    int file = 0;
    int block = 0;
    int addresses = 0;
};

// The panels' usual widths, which the window's least width makes room for: panels 2 and 3
// wide enough for their design-time strings and the texts of any block a listing gives,
// panel 1 for its design-time string and as wide as panel 3. `widthFor` is the width a
// panel needs to show a text whole; `characterWidth` the width of a character of the
// panels' font, for finding its widest hex digit.
PanelWidths PanelWidthsFor(const std::function<int(const std::string& text)>& widthFor,
                           const std::function<int(char c)>& characterWidth);

// The panels' widths where the bar has `room` pixels for them (without its size grip) and
// their texts need `needed` to show whole: they share the room by what they hold.
// - Panels 2 and 3 are as wide as their texts need, never narrower than `usual`; panel 1,
//   the file name, takes the rest, cut short where that is less than its text needs.
// - Where the rest is too little, panel 1 gives up room first, down to its usual width or
//   its text's, whichever is less; only then do panels 2 and 3, down to their usual widths,
//   each giving up in proportion to what it has above them.
// - On a screen narrower than that, all three are narrowed alike, so that the window never
//   needs to be wider than the screen.
// A text cut short shows whole as the panel's tooltip (PanelToolTip).
PanelWidths PanelWidthsWithin(const PanelWidths& usual, const PanelWidths& needed, int room);

// What a screen reader calls a panel showing `text`: its name, then the text ("ORG, ENT and
// SP: Org=&H8000, Ent=&H8000, SP=&HBFFF"); its name alone while it shows none.
std::string PanelSpokenName(const PanelItem& item, const std::string& text);

// A panel's tooltip: its whole text where the panel cuts it short, else its design-time
// string (none for panel 3).
std::string PanelToolTip(const PanelItem& item, const std::string& text, bool cut);
