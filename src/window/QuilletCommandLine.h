#pragma once

#include <string>
#include <vector>

class FrontEnd;

// The command line of `quillet`, the window program, besides the options its toolkit
// takes for itself:
//   quillet [FILE]
//   quillet --help | --version

// What the arguments after the program name ask for: --help (or -h), or --version, given
// alone, answer on the console; anything else is the file, or nothing.
enum class QuilletOption { None, Help, Version };
QuilletOption QuilletOptionOf(const std::vector<std::string>& args);

std::string QuilletUsageLine();
std::string QuilletHelpText();
std::string QuilletVersionText();

// `quillet FILE` converts FILE and exits instead of opening the window, saying how it
// went in message boxes with no window behind them: `boxes` shows them. A binary file's ORG
// is asked for as the window asks when it opens one; Cancel saves nothing. Returns the exit
// status, as quillet-cli's: 0 saved, 1 refused or not written, 2 the argument names no
// usable file. Warnings that come one after another show in one box that names the file
// and holds each warning: the places where a dump line does not follow on, or a reader's
// refusal with the "Nothing saved." that follows it. `lines` says whether their lines are
// wrapped here, for boxes that widen to their longest line (Qt's), or left whole, for
// boxes that wrap them themselves (Windows').
// Where there is no display for the boxes, `quillet FILE` converts on the console as
// quillet-cli does, which cannot ask: a binary file is refused with this, since ORG is
// given on quillet-cli's command line, not on quillet's.
inline constexpr const char* kQuilletNoLoadAddressMessage =
    "A binary file has no load address: give its ORG with quillet-cli --org N.";

enum class BoxLines { Wrapped, WrappedByTheBox };
int ConvertWithMessageBoxes(const std::string& argument, FrontEnd& boxes, BoxLines lines);
