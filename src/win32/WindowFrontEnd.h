#pragma once

#include "model/FrontEnd.h"
#include "window/CommandTable.h"

#include <windows.h>

#include <functional>

class StatusBar;

// The window's front end: messages and questions are message boxes, prompts the input
// box, all modal and captioned with the window title; the busy pointer is the hourglass
// while the window asks for a pointer. Which commands may run is kept for the menu and
// the keys to ask; the status texts go to the status bar attached. A front end with no
// owner and no status bar (a conversion run from the command line) shows only its
// message boxes, with no window behind them.
class WindowFrontEnd : public FrontEnd {
public:
    explicit WindowFrontEnd(HWND owner = nullptr) : owner_(owner) {}
    ~WindowFrontEnd() override;

    void SetOwner(HWND owner) { owner_ = owner; }
    void AttachStatusBar(StatusBar* bar) { bar_ = bar; }

    // Which commands may run now, as the logic has set them.
    const CommandStates& Commands() const { return commands_; }

    bool IsBusy() const { return busy_; }

    // Runs before every message box and input box opens, so that the window can first
    // show what the user is being told about (the dump line a reader stopped at).
    void SetBeforeDialog(std::function<void()> beforeDialog) { beforeDialog_ = std::move(beforeDialog); }

    void ShowMessage(const std::string& text, Icon icon) override;
    Answer AskYesNo(const std::string& text, Icon icon, Answer defaultButton) override;
    std::string AskText(const std::string& prompt, const std::string& defaultText) override;
    void SetCommandEnabled(Command command, bool enabled) override;
    void SetStatusText(StatusPanel panel, const std::string& text) override;
    void SetBusy(bool on) override;

private:
    int ShowMessageBox(const std::string& text, UINT type);

    HWND owner_;
    StatusBar* bar_ = nullptr;
    std::function<void()> beforeDialog_;
    CommandStates commands_;
    bool busy_ = false;
};
