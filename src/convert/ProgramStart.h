#pragma once

#include <string>
#include <vector>

// What both programs do as they start, before anything else, and what they ask of the
// console they were started from.

// The signals that end the program (kInterruptingSignals: SIGINT, SIGTERM, SIGHUP,
// SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGPIPE) remove the temporary file of a write under
// way before the program ends, as they would have ended it; one the program was started
// with ignored stays ignored. Under a file-size limit (ulimit -f) a write past it would end
// the program at once; SIGXFSZ is ignored, so that such a write fails instead and is
// reported like any other failed write.
void SetUpSignals();

// From now on the first SIGINT or SIGTERM (on Windows, Ctrl+C or Ctrl+Break) calls `stop`
// instead of ending the program, so that it can end by itself, with nothing half-written;
// a second one ends it as SetUpSignals has it. `stop` runs in a signal handler (on Windows,
// on a thread of its own): it may only do what is safe there.
void CatchStopSignals(void (*stop)());

// The arguments after the program name, in UTF-8, as the core expects paths. On Windows
// `argv` holds them in the system's code page, which cannot spell every file name, so they
// are taken from the wide command line instead.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// The file argument of `quillet FILE`: the arguments after the program name joined with
// single spaces, so that a path holding spaces may be given without quotes. The name that
// is looked up is the name that is loaded: as given when a file of that name exists,
// else trimmed of spaces. Empty when there are none.
std::string CommandLineArgument(int argc, char** argv);

// The same of arguments already read, in UTF-8.
std::string CommandLineArgument(const std::vector<std::string>& words);

// True when descriptor `fd` is a terminal (on Windows, a console) that a person reads.
bool IsTerminal(int fd);

// True when writing to `path` would write onto a terminal of this session, by whatever
// name: one that standard input, output or error is (its own name, a link to it,
// /dev/stderr, /dev/fd/N), or the session's own terminal (/dev/tty; on Windows CON and
// CONOUT$). A serial port that is none of these is a device like any other.
bool NamesSessionTerminal(const std::string& path);
