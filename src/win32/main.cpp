// quillet.exe: the desktop window. Given a file, it converts that file and exits instead,
// reporting in message boxes, with the exit status of quillet-cli.

#include "convert/ProgramStart.h"
#include "win32/FileDialogs.h"
#include "win32/FrmQuillet.h"
#include "win32/WindowFrontEnd.h"
#include "window/CommandLineBoxes.h"

#include <windows.h>

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show)
{
    SetUpSignals();
    // The arguments come from the wide command line (Utf8Arguments), whatever argv holds.
    char program[] = "quillet";
    char* argv[] = {program, nullptr};
    const std::string argument = CommandLineArgument(1, argv);

    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!argument.empty()) {
        WindowFrontEnd boxes;
        return ConvertWithMessageBoxes(argument, boxes);
    }

    CommonFileDialogs dialogs;
    FrmQuillet window(dialogs);
    window.closed = [] { PostQuitMessage(0); };
    ShowWindow(window.Handle(), show);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
