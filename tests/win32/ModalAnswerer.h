#pragma once

#include <windows.h>

#include <atomic>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// How a modal window is answered, as a person would.
struct Reply {
    enum Kind { Default, Yes, No, Type, Cancel, Choose, Pick } kind;
    std::wstring text;  // Type: what is typed; Choose: the file's name; Pick: the item's letter
};
inline Reply Enter()
{
    return {Reply::Default, {}};  // the default button
}
inline Reply Yes()
{
    return {Reply::Yes, {}};
}
inline Reply No()
{
    return {Reply::No, {}};
}
inline Reply Type(const std::wstring& text)
{
    return {Reply::Type, text};  // into the input box, then OK
}
inline Reply Cancel()
{
    return {Reply::Cancel, {}};  // the input box, a file dialog or the menu
}
inline Reply Choose(const std::wstring& path)
{
    return {Reply::Choose, path};  // in a file dialog
}
inline Reply Pick(wchar_t letter)
{
    return {Reply::Pick, std::wstring(1, letter)};  // the menu item with that mnemonic
}

// Answers the modal windows a test makes the window open (message boxes, the input box,
// file dialogs, the pop-up menu), in the order they come. A thread of its own watches
// the windows of one thread or one process while their modal loops run, writes down what
// each showed and answers it with the next answer. A modal window nobody expected is
// written down and closed, so that a failing test never hangs.
//
// What it writes down, one text per window:
//   "Information [OK]: File saved as 'C:\x\HELLO.EXE'"    (the default button in brackets)
//   "Prompt [&H8000]: Enter new ORG (prefix HEX numbers with '&H'):"
//   "File [Tasm OBJ Files (Intel, Motorola or MOS Hex, *.OBJ)]: Open Object File... ''"   (the name field)
//   "Menu: &Open..., Change O&RG... (off), ..."
//   "Unexpected: ..."        (closed)
//   "Still open: ..."        (its answer did not close it; closed)
// A message box or input box not captioned with the window title is written down as
// "Caption '...': ...".
class ModalAnswerer {
public:
    // Watches the windows of the thread `thread`, or, with `wholeProcess`, of the process
    // `thread` names.
    explicit ModalAnswerer(DWORD thread = GetCurrentThreadId(), bool wholeProcess = false);
    ~ModalAnswerer();
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    ModalAnswerer& Then(const Reply& answer);

    // What the windows showed since the last call, in UTF-8.
    std::vector<std::string> Take();
    bool AllAnswered();

    // Runs on the answering thread while a window is shown, before its answer.
    std::function<void(HWND window)> onModal;

    // For a file dialog that stands in for the system's: what it shows, written down and
    // answered as the others are. Returns the path chosen (as given to Choose), or nothing.
    std::optional<std::wstring> AnswerFileDialog(const std::string& shown);

private:
    void Watch();
    void Look(HWND window);
    std::optional<Reply> Next(const std::string& shown);

    DWORD owner_;
    bool wholeProcess_;
    std::mutex mutex_;
    std::deque<Reply> answers_;
    std::vector<std::string> seen_;
    std::map<HWND, DWORD> answered_;  // when each was answered (GetTickCount)
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// A window's class name, and its text.
std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);

// Sends keys and mouse buttons as a person presses them, to whichever window has the
// keyboard focus. `keys` is a list of strokes separated by spaces: "O" or "^O" (Ctrl+O),
// "S-F10" (Shift), "A-O" (Alt), "^S-O" (Ctrl+Shift); "+^" or "-O" press or release one
// key alone. Keys by name: a letter, F10, Apps, Tab, Up, Down, Left, Right, Home, End,
// Return, Escape.
void SendKeys(const std::string& keys);
