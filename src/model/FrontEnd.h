#pragma once

#include <string>

// The only way the loading, writing and editing logic reaches a person. The window
// implements it with message boxes and an input box, the console converter with
// lines on the terminal, and the tests with a script.

enum class Icon { Error, Warning, Question, Information };

enum class Answer { Yes, No };

// The commands whose enabled state the logic switches. Open is never disabled.
enum class Command { SaveExeAs, ChangeOrg, ChangeEnt, ChangeSp, CopySelectionAsText };

// The three panels of the status bar: file name and length, block size, addresses.
enum class StatusPanel { File = 1, Block = 2, Addresses = 3 };

class FrontEnd {
public:
    virtual ~FrontEnd() = default;

    virtual void ShowMessage(const std::string& text, Icon icon) = 0;

    // A message caused by line `line` (1-based) of the file being read. Front ends
    // that can point at a place in a file (the console) show the line number.
    virtual void ShowMessageAtLine(int line, const std::string& text, Icon icon)
    {
        (void)line;
        ShowMessage(text, icon);
    }

    // A file name as the messages show it, inside the quotes they put around it. The name
    // as it is, unless the front end shows text where some characters of a name could do
    // harm: a terminal takes control characters as commands, so the console escapes them.
    // Every name put into a message goes through here; the rest of a message never does.
    virtual std::string NameInMessage(const std::string& path) const { return path; }

    virtual Answer AskYesNo(const std::string& text, Icon icon, Answer defaultButton) = 0;

    // The text entered; empty when the user cancels or clears the field.
    virtual std::string AskText(const std::string& prompt, const std::string& defaultText) = 0;

    virtual void SetCommandEnabled(Command command, bool enabled) = 0;
    virtual void SetStatusText(StatusPanel panel, const std::string& text) = 0;

    // On shows the busy pointer, off the default pointer.
    virtual void SetBusy(bool on) = 0;
};

// Switches the busy pointer on for the lifetime of the guard, and off again on every
// way out of the scope.
class BusyGuard {
public:
    explicit BusyGuard(FrontEnd& frontEnd) : frontEnd_(&frontEnd) { frontEnd_->SetBusy(true); }
    ~BusyGuard() { Release(); }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

    void Release()
    {
        if (frontEnd_ != nullptr) {
            frontEnd_->SetBusy(false);
            frontEnd_ = nullptr;
        }
    }

private:
    FrontEnd* frontEnd_;
};
