#pragma once

#include "model/FrontEnd.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

// The tests' front end: answers questions and prompts from a script, records every call,
// and fails the running test on a question or prompt the script did not expect, or on
// one the script expected differently.
//
// The transcript is one text per message, question, prompt or status text, in order:
//   "Warning: Object file is invalid. File read aborted."
//   "Warning at line 3: Last line listed failed checksum. File read aborted."
//   "Question [Yes]: ENT address falls outside the block. Change ORG? -> No"
//   "Prompt 'Enter new ORG (prefix HEX numbers with '&H'):' [&H8000] -> &H9000"
//   "Panel 3: Org=&H9000, Ent=&H8000, SP=&HBFFF "
// Message texts keep their CR LF breaks, written here as "\r\n".
class ScriptedFrontEnd : public FrontEnd {
public:
    ~ScriptedFrontEnd() override;

    // The script: the answers to the coming questions and prompts, in order.
    ScriptedFrontEnd& Yes();
    ScriptedFrontEnd& No();
    ScriptedFrontEnd& Type(std::string text);  // "" cancels

    // Called inside every ShowMessage, while the message would be on screen.
    std::function<void(const std::string& text)> onMessage;

    const std::vector<std::string>& Transcript() const { return transcript_; }
    std::vector<std::string> TakeTranscript();  // returns the transcript and starts a new one
    std::vector<std::string> Dialogs() const;   // the transcript without the status texts

    std::string Status(StatusPanel panel) const;
    bool Enabled(Command command) const;
    const std::vector<std::pair<Command, bool>>& CommandChanges() const { return commandChanges_; }
    const std::vector<bool>& BusyChanges() const { return busyChanges_; }
    std::size_t UnusedAnswers() const { return script_.size(); }

    void ShowMessage(const std::string& text, Icon icon) override;
    void ShowMessageAtLine(int line, const std::string& text, Icon icon) override;
    Answer AskYesNo(const std::string& text, Icon icon, Answer defaultButton) override;
    std::string AskText(const std::string& prompt, const std::string& defaultText) override;
    void SetCommandEnabled(Command command, bool enabled) override;
    void SetStatusText(StatusPanel panel, const std::string& text) override;
    void SetBusy(bool on) override;

private:
    struct Reply {
        bool isText;
        Answer answer;
        std::string text;
    };

    std::deque<Reply> script_;
    std::vector<std::string> transcript_;
    std::map<StatusPanel, std::string> status_;
    std::map<Command, bool> enabled_;
    std::vector<std::pair<Command, bool>> commandChanges_;
    std::vector<bool> busyChanges_;
};

const char* IconName(Icon icon);
