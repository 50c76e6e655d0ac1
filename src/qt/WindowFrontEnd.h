#pragma once

#include "model/FrontEnd.h"
#include "window/CommandTable.h"

#include <QPointer>

#include <array>
#include <functional>
#include <map>

class QAction;
class StatusPanelLabel;
class QWidget;

// The window's front end: messages and questions are message boxes, prompts an input
// box, all modal and captioned with the window title; the busy pointer is the
// application's override cursor. Commands and status panels are the menu actions and
// status bar labels attached to it; a front end with none attached (a conversion run
// from the command line, with no window) shows only its message boxes.
class WindowFrontEnd : public FrontEnd {
public:
    // `owner` centres the dialogs and blocks its window while they are open; it may be
    // null, for message boxes with no window behind them.
    explicit WindowFrontEnd(QWidget* owner = nullptr);
    ~WindowFrontEnd() override;

    void AttachCommand(Command command, QAction* action);
    void AttachPanel(StatusPanel panel, StatusPanelLabel* label);

    // Which commands may run now, as the logic has set them.
    const CommandStates& Commands() const { return commands_; }

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
    int ShowMessageBox(const std::string& text, Icon icon, int buttons, int defaultButton);

    QPointer<QWidget> owner_;
    std::function<void()> beforeDialog_;
    CommandStates commands_;
    std::multimap<Command, QPointer<QAction>> actions_;  // several items may follow one command
    std::array<QPointer<StatusPanelLabel>, 3> panels_;
    bool busy_ = false;
};
