#pragma once

#include <string>

// `quillet FILE` converts FILE and exits instead of opening the window.

// Whether a display may be there to show the window or message boxes on. Where it surely
// is not (no X11 or Wayland display named, and no Qt platform chosen, in the environment
// or with Qt's own -platform and -display options), `quillet` alone says so, and
// `quillet FILE` reports on the console instead.
bool DisplayMayOpen(int argc, char** argv);

// Makes Qt fall back to its offscreen platform when the display cannot be opened, rather
// than ending the program; RunsOffscreen then tells. Qt is started all the same, to take
// its own options from the command line; what it leaves is the file.
void AllowOffscreenFallback(bool displayMayOpen);

// While `quiet`, Qt's own notes (a missing XDG_RUNTIME_DIR, a display it could not open
// before falling back to the offscreen platform) are left off the console, which then
// carries the program's own words alone: set before Qt starts for a conversion, and
// cleared when the window opens after all. Qt's fatal errors always show.
void QuietQtMessages(bool quiet);

// The file argument Qt left, once it has taken its own options (-style, -platform ...),
// joined as CommandLineArgument joins the arguments.
std::string FileArgument(int argc, char** argv);

// Whether Qt runs on a platform that nobody sees, where a message box would wait for
// ever.
bool RunsOffscreen();

// Converts `argument` with Qt's message boxes, as the window layer's ConvertWithMessageBoxes
// says, and returns the exit status.
int ConvertWithMessageBoxes(const std::string& argument);
