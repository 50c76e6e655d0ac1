#pragma once

#include "model/FrontEnd.h"

#include <string>
#include <utility>
#include <vector>

// The front end of a load the window runs by itself (a reload): it asks nothing and shows
// no box. What the load says is gathered, to be said without a box; which commands it
// enables and what it puts in the status panels are held back, to reach the window only
// when the load is taken (PassOn), so that a load that fails leaves the window as it was.
// A question takes its default answer, and a prompt is cancelled.
class QuietFrontEnd : public FrontEnd {
public:
    // What the load said, each message a sentence or more on one line, in order; one about a
    // line of the file starts "Line 3: ".
    const std::vector<std::string>& Said() const { return said_; }

    // Adds a sentence of the window's own to what was said.
    void Say(std::string text) { said_.push_back(std::move(text)); }

    // Gives `to` the commands' states and the status texts the load set, in order.
    void PassOn(FrontEnd& to) const;

    void ShowMessage(const std::string& text, Icon icon) override;
    void ShowMessageAtLine(int line, const std::string& text, Icon icon) override;
    Answer AskYesNo(const std::string& text, Icon icon, Answer defaultButton) override;
    std::string AskText(const std::string& prompt, const std::string& defaultText) override;
    void SetCommandEnabled(Command command, bool enabled) override;
    void SetStatusText(StatusPanel panel, const std::string& text) override;
    void SetBusy(bool) override {}

private:
    std::vector<std::string> said_;
    std::vector<std::pair<Command, bool>> commands_;
    std::vector<std::pair<StatusPanel, std::string>> panels_;
};
