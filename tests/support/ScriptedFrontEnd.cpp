#include "ScriptedFrontEnd.h"

#include <gtest/gtest.h>

namespace {

std::string Visible(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

const char* AnswerName(Answer answer)
{
    return answer == Answer::Yes ? "Yes" : "No";
}

}  // namespace

const char* IconName(Icon icon)
{
    switch (icon) {
        case Icon::Error:
            return "Error";
        case Icon::Warning:
            return "Warning";
        case Icon::Question:
            return "Question";
        case Icon::Information:
            return "Information";
    }
    return "?";
}

ScriptedFrontEnd::~ScriptedFrontEnd()
{
    EXPECT_TRUE(script_.empty()) << script_.size() << " scripted answer(s) never asked for";
}

ScriptedFrontEnd& ScriptedFrontEnd::Yes()
{
    script_.push_back({false, Answer::Yes, {}});
    return *this;
}

ScriptedFrontEnd& ScriptedFrontEnd::No()
{
    script_.push_back({false, Answer::No, {}});
    return *this;
}

ScriptedFrontEnd& ScriptedFrontEnd::Type(std::string text)
{
    script_.push_back({true, Answer::No, std::move(text)});
    return *this;
}

std::vector<std::string> ScriptedFrontEnd::TakeTranscript()
{
    std::vector<std::string> taken;
    taken.swap(transcript_);
    return taken;
}

std::vector<std::string> ScriptedFrontEnd::Dialogs() const
{
    std::vector<std::string> dialogs;
    for (const std::string& entry : transcript_) {
        if (entry.compare(0, 6, "Panel ") != 0) {
            dialogs.push_back(entry);
        }
    }
    return dialogs;
}

std::string ScriptedFrontEnd::Status(StatusPanel panel) const
{
    const auto it = status_.find(panel);
    return it == status_.end() ? std::string() : it->second;
}

bool ScriptedFrontEnd::Enabled(Command command) const
{
    const auto it = enabled_.find(command);
    return it != enabled_.end() && it->second;
}

void ScriptedFrontEnd::ShowMessage(const std::string& text, Icon icon)
{
    transcript_.push_back(std::string(IconName(icon)) + ": " + Visible(text));
    if (onMessage) {
        onMessage(text);
    }
}

void ScriptedFrontEnd::ShowMessageAtLine(int line, const std::string& text, Icon icon)
{
    transcript_.push_back(std::string(IconName(icon)) + " at line " + std::to_string(line) + ": " +
                          Visible(text));
    if (onMessage) {
        onMessage(text);
    }
}

Answer ScriptedFrontEnd::AskYesNo(const std::string& text, Icon icon, Answer defaultButton)
{
    std::string entry =
        std::string(IconName(icon)) + " [" + AnswerName(defaultButton) + "]: " + Visible(text);
    if (script_.empty() || script_.front().isText) {
        ADD_FAILURE() << "unexpected question: " << entry;
        transcript_.push_back(entry + " -> (unscripted)");
        return defaultButton;
    }
    const Answer answer = script_.front().answer;
    script_.pop_front();
    transcript_.push_back(entry + " -> " + AnswerName(answer));
    return answer;
}

std::string ScriptedFrontEnd::AskText(const std::string& prompt, const std::string& defaultText)
{
    std::string entry = "Prompt '" + Visible(prompt) + "' [" + defaultText + "]";
    if (script_.empty() || !script_.front().isText) {
        ADD_FAILURE() << "unexpected prompt: " << entry;
        transcript_.push_back(entry + " -> (unscripted)");
        return {};
    }
    std::string text = script_.front().text;
    script_.pop_front();
    transcript_.push_back(entry + " -> " + text);
    return text;
}

void ScriptedFrontEnd::SetCommandEnabled(Command command, bool enabled)
{
    enabled_[command] = enabled;
    commandChanges_.emplace_back(command, enabled);
}

void ScriptedFrontEnd::SetStatusText(StatusPanel panel, const std::string& text)
{
    status_[panel] = text;
    transcript_.push_back("Panel " + std::to_string(static_cast<int>(panel)) + ": " + text);
}

void ScriptedFrontEnd::SetBusy(bool on)
{
    busyChanges_.push_back(on);
}
