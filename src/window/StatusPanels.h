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

// The panels' widths, in pixels. Panels 2 and 3 keep one width, whatever their texts, wide
// enough for their design-time string and the texts of any block a listing gives. Panel 1,
// the file name, takes the rest, never narrower than `file`: its design-time string, and
// panel 3. A longer name is cut rather than widening the window.
struct PanelWidths {
    int file = 0;  // the least
    int block = 0;
    int addresses = 0;
};

// `widthFor` is the width a panel needs to show a text whole; `characterWidth` the width of
// a character of the panel's font, for finding its widest hex digit.
PanelWidths PanelWidthsFor(const std::function<int(const std::string& text)>& widthFor,
                           const std::function<int(char c)>& characterWidth);

// The panels' widths where the bar has `room` pixels for them (without its size grip): as
// they are where they fit, else each narrowed alike, so that the window never needs to be
// wider than the screen; a text cut short then shows whole as its tooltip.
PanelWidths PanelWidthsWithin(const PanelWidths& widths, int room);

// What a screen reader calls a panel showing `text`: its name, then the text ("ORG, ENT and
// SP: Org=&H8000, Ent=&H8000, SP=&HBFFF"); its name alone while it shows none.
std::string PanelSpokenName(const PanelItem& item, const std::string& text);

// A panel's tooltip: its whole text where the panel cuts it short, else its design-time
// string (none for panel 3).
std::string PanelToolTip(const PanelItem& item, const std::string& text, bool cut);
