#pragma once

#include <string>

// `quillet FILE` converts FILE and exits instead of opening the window.

// Whether a display may be there to show message boxes on. Where it surely is not (no
// X11 or Wayland display named, and no Qt platform chosen), the conversion reports on
// the console instead, and Qt is never started.
bool DisplayMayOpen();

// Makes Qt fall back to its offscreen platform when the display cannot be opened after
// all, rather than ending the program; RunsOffscreen then tells.
void AllowOffscreenFallback();

// Whether Qt runs on a platform that nobody sees, where a message box would wait for
// ever.
bool RunsOffscreen();

// Converts `argument` with Qt's message boxes, as the window layer's ConvertWithMessageBoxes
// says, and returns the exit status.
int ConvertWithMessageBoxes(const std::string& argument);
