#pragma once

#include <string>

class FrontEnd;

// `quillet FILE` converts FILE and exits instead of opening the window, saying how it
// went in message boxes with no window behind them: `boxes` shows them. Returns the exit
// status, as quillet-cli's: 0 saved, 1 refused or not written, 2 the argument names no
// usable file. The places where a dump line does not follow on are warned about in one box.
int ConvertWithMessageBoxes(const std::string& argument, FrontEnd& boxes);
