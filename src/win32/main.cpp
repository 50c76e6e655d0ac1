// quillet.exe: the desktop window. Given a file, it converts that file and exits instead,
// reporting in message boxes, with the exit status of quillet-cli; --help and --version
// answer on the console.

#include "convert/ProgramStart.h"
#include "win32/FileDialogs.h"
#include "win32/FrmQuillet.h"
#include "win32/WideText.h"
#include "win32/WindowFrontEnd.h"
#include "window/AppIdentity.h"
#include "window/QuilletCommandLine.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

namespace {

// Writes `text` where a console program's would go: to standard output where it is
// redirected, else to the console quillet.exe was started from; started from neither (from
// Explorer), it shows in a message box.
void Tell(const std::string& text)
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    bool attached = false;
    if ((out == nullptr || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        attached = true;
        out = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, 0, nullptr);
    }
    if (out == nullptr || out == INVALID_HANDLE_VALUE) {
        MessageBoxW(nullptr, Wide(text).c_str(), Wide(kWindowTitle).c_str(), MB_OK | MB_ICONINFORMATION);
        return;
    }
    std::string lines;
    for (const char c : text) {
        lines += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    DWORD written = 0;
    WriteFile(out, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
    if (attached) {
        CloseHandle(out);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show)
{
    SetUpSignals();
    // The arguments come from the wide command line, whatever argv holds.
    char program[] = "quillet";
    char* argv[] = {program, nullptr};
    const std::vector<std::string> words = Utf8Arguments(1, argv);
    switch (QuilletOptionOf(words)) {
        case QuilletOption::Help:
            Tell(QuilletHelpText());
            return 0;
        case QuilletOption::Version:
            Tell(QuilletVersionText());
            return 0;
        case QuilletOption::None:
            break;
    }
    const std::string argument = CommandLineArgument(words);

    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // For the accessible objects the controls give screen readers.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (!argument.empty()) {
        WindowFrontEnd boxes;
        return ConvertWithMessageBoxes(argument, boxes, BoxLines::WrappedByTheBox);
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
