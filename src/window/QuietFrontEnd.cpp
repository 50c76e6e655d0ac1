#include "window/QuietFrontEnd.h"

namespace {

// A message of several lines (a question's CR LF) as one.
std::string OneLine(const std::string& text)
{
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            line += text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? "" : " ";
        } else {
            line += text[i];
        }
    }
    return line;
}

}  // namespace

void QuietFrontEnd::PassOn(FrontEnd& to) const
{
    for (const auto& [command, enabled] : commands_) {
        to.SetCommandEnabled(command, enabled);
    }
    for (const auto& [panel, text] : panels_) {
        to.SetStatusText(panel, text);
    }
}

void QuietFrontEnd::ShowMessage(const std::string& text, Icon)
{
    said_.push_back(OneLine(text));
}

void QuietFrontEnd::ShowMessageAtLine(int line, const std::string& text, Icon)
{
    said_.push_back("Line " + std::to_string(line) + ": " + OneLine(text));
}

Answer QuietFrontEnd::AskYesNo(const std::string& text, Icon, Answer defaultButton)
{
    said_.push_back(OneLine(text));
    return defaultButton;
}

std::string QuietFrontEnd::AskText(const std::string&, const std::string&)
{
    return {};
}

void QuietFrontEnd::SetCommandEnabled(Command command, bool enabled)
{
    commands_.emplace_back(command, enabled);
}

void QuietFrontEnd::SetStatusText(StatusPanel panel, const std::string& text)
{
    panels_.emplace_back(panel, text);
}
