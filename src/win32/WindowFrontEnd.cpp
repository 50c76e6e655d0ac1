#include "win32/WindowFrontEnd.h"

#include "win32/InputBox.h"
#include "win32/StatusBar.h"
#include "win32/WideText.h"
#include "window/AppIdentity.h"

namespace {

UINT MessageBoxIcon(Icon icon)
{
    switch (icon) {
        case Icon::Error:
            return MB_ICONERROR;
        case Icon::Warning:
            return MB_ICONWARNING;
        case Icon::Question:
            return MB_ICONQUESTION;
        case Icon::Information:
            break;
    }
    return MB_ICONINFORMATION;
}

// The pointer the window shows: the hourglass while busy, else the arrow.
void ShowPointer(bool busy)
{
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

}  // namespace

WindowFrontEnd::~WindowFrontEnd()
{
    SetBusy(false);
}

int WindowFrontEnd::ShowMessageBox(const std::string& text, UINT type)
{
    if (beforeDialog_) {
        beforeDialog_();
    }
    // With no window behind it, the box comes to the front by itself.
    const UINT alone = owner_ == nullptr ? MB_SETFOREGROUND | MB_TASKMODAL : MB_APPLMODAL;
    return MessageBoxW(owner_, Wide(text).c_str(), Wide(kWindowTitle).c_str(), type | alone);
}

void WindowFrontEnd::ShowMessage(const std::string& text, Icon icon)
{
    ShowMessageBox(text, MB_OK | MessageBoxIcon(icon));
}

Answer WindowFrontEnd::AskYesNo(const std::string& text, Icon icon, Answer defaultButton)
{
    const UINT defaultType = defaultButton == Answer::Yes ? MB_DEFBUTTON1 : MB_DEFBUTTON2;
    return ShowMessageBox(text, MB_YESNO | MessageBoxIcon(icon) | defaultType) == IDYES ? Answer::Yes
                                                                                        : Answer::No;
}

std::string WindowFrontEnd::AskText(const std::string& prompt, const std::string& defaultText)
{
    if (beforeDialog_) {
        beforeDialog_();
    }
    const std::optional<std::wstring> text =
        InputBox(owner_, Wide(kWindowTitle), Wide(prompt), Wide(defaultText));
    return text ? Utf8(*text) : std::string();
}

void WindowFrontEnd::SetCommandEnabled(Command command, bool enabled)
{
    commands_.SetEnabled(command, enabled);
}

void WindowFrontEnd::SetStatusText(StatusPanel panel, const std::string& text)
{
    if (bar_ != nullptr) {
        bar_->SetText(panel, Wide(text));
    }
}

void WindowFrontEnd::SetBusy(bool on)
{
    if (on == busy_) {
        return;
    }
    busy_ = on;
    // The window answers WM_SETCURSOR with the same pointer (IsBusy) while the pointer moves.
    ShowPointer(on);
}
