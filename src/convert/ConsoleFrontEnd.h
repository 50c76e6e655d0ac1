#pragma once

#include "model/FrontEnd.h"

struct ConversionRequest;

#include <ostream>
#include <string>

// The console converter's front end. Information goes to `out`; warnings and errors go
// to `err`, prefixed with the file being converted and, where a line of it caused the
// message, that line's number: "game.obj:3: Last line listed failed checksum. ...".
// File names, in the prefix and in the messages, are shown with their control characters
// escaped (EscapedName), so that a name cannot send the terminal commands.
// It never waits for a person: a question takes its default answer and a prompt is
// cancelled.
class ConsoleFrontEnd : public FrontEnd {
public:
    ConsoleFrontEnd(std::ostream& out, std::ostream& err, std::string fileName);

    std::string NameInMessage(const std::string& path) const override;
    void ShowMessage(const std::string& text, Icon icon) override;
    void ShowMessageAtLine(int line, const std::string& text, Icon icon) override;
    Answer AskYesNo(const std::string& text, Icon icon, Answer defaultButton) override;
    std::string AskText(const std::string& prompt, const std::string& defaultText) override;
    void SetCommandEnabled(Command, bool) override {}
    void SetStatusText(StatusPanel, const std::string&) override {}
    void SetBusy(bool) override {}

private:
    void Write(const std::string& location, const std::string& text, Icon icon);

    std::ostream& out_;
    std::ostream& err_;
    std::string fileName_;
};

// Converts as the command line asks with the messages on the console (information on
// standard output, or on standard error when the executable goes to standard output, by
// whatever name; warnings and errors on standard error) and returns the exit status; a
// command line that names no usable file is followed by `usageLine`, if not empty. An
// executable is never written onto a terminal of the session (NamesSessionTerminal), where
// its bytes would be taken for the terminal's commands: that is a command-line error
// (kTerminalMessage).
int ConvertOnConsole(const ConversionRequest& request, const std::string& usageLine);

inline constexpr const char* kTerminalMessage =
    "Not writing an executable to a terminal: redirect standard output or use -o FILE.";

// Ends a run that wrote to standard output, as careful command-line tools do: what is
// still buffered is written out, and if any of it could not be written (a full disk, a
// closed pipe), "PROGRAM: write error: REASON" goes to standard error and a run that
// would have ended with 0 ends with 1. Returns the exit status to end with.
int CloseStandardOutput(const char* program, int status);

// `text` as a terminal may show it, the way careful command-line tools quote names they
// did not choose: each control character (C0, DEL and C1) and each byte that is not part
// of valid UTF-8 is written as an escape, "\033" for ESC, "\x9b" for a stray byte, and
// each of the characters that reorder text shown after them (U+061C, U+200E, U+200F,
// U+202A to U+202E, U+2066 to U+2069) as "\u202E", so that no name reads as another.
// Everything else, letters beyond ASCII included, stays as it is.
std::string EscapedName(const std::string& text);
