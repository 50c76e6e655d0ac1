#include "WindowDriver.h"

#include "win32/WideText.h"
#include "window/FileDialogSetup.h"

#include <commctrl.h>

#include <cstring>
#include <iostream>

namespace {

// However busy the machine, no test of the window takes this long.
constexpr DWORD kWatchdogTime = 90000;

void MouseInput(POINT screen, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

}  // namespace

void Pump()
{
    for (int quiet = 0; quiet < 3;) {
        MSG message{};
        bool any = false;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            any = true;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        quiet = any ? 0 : quiet + 1;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

StandInFileDialogs::StandInFileDialogs(ModalAnswerer& answerer, std::wstring folder)
    : answerer_(answerer), folder_(std::move(folder))
{
}

std::optional<std::wstring> StandInFileDialogs::Ask(HWND, const FileDialogSetup& setup, const std::wstring&,
                                                    const std::wstring& name)
{
    const std::optional<std::wstring> chosen = answerer_.AnswerFileDialog(
        std::string("File [") +
        setup.filters.at(static_cast<std::size_t>(setup.filterIndex - 1)).description + "]: " + setup.title +
        " '" + Utf8(name) + "'");
    return chosen ? std::optional<std::wstring>(folder_ + L"\\" + *chosen) : std::nullopt;
}

WindowTest::WindowTest() : done_(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    const std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
    watchdog_ = std::thread([this, test] {
        if (WaitForSingleObject(done_, kWatchdogTime) == WAIT_OBJECT_0) {
            return;
        }
        std::cout << "watchdog: " << test << " hung; the windows open:\n";
        EnumWindows(
            [](HWND window, LPARAM) {
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                if (process == GetCurrentProcessId() && IsWindowVisible(window)) {
                    std::cout << "  " << Utf8(ClassOf(window)) << " '" << Utf8(TextOf(window)) << "'\n";
                }
                return TRUE;
            },
            0);
        std::cout.flush();
        TerminateProcess(GetCurrentProcess(), 3);
    });
}

WindowTest::~WindowTest()
{
    SetEvent(done_);
    watchdog_.join();
    CloseHandle(done_);
    EXPECT_EQ(answerer.Take(), std::vector<std::string>()) << "modal windows no test looked at";
    EXPECT_TRUE(answerer.AllAnswered()) << "answers for modal windows that never came";
}

void WindowTest::Open(const Quillet& q, const std::wstring& name)
{
    answerer.Then(Choose(name));
    q.Keys("^O");
    answerer.Take();
}

void WindowTest::OpenCopy(const Quillet& q, const std::string& name)
{
    Copy(name);
    Open(q, std::wstring(name.begin(), name.end()));
}

std::string WindowTest::InDir(std::string text) const
{
    const std::string folder = dir.Path().u8string();
    for (std::size_t at = 0; (at = text.find("%DIR%", at)) != std::string::npos; at += folder.size()) {
        text.replace(at, 5, folder);
    }
    return text;
}

Quillet::Quillet(FileDialogs& dialogs) : window(dialogs)
{
    SetWindowPos(Window(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(Window(), SW_SHOWNORMAL);
    // In front, the list taking the keys: on a busy machine the window manager may take a while.
    for (DWORD start = GetTickCount(); GetTickCount() - start < 20000;) {
        SetForegroundWindow(Window());
        Pump();
        if (GetForegroundWindow() == Window() && GetFocus() == List()) {
            return;
        }
    }
    ADD_FAILURE() << "the window did not come to the front";
}

std::vector<std::string> Quillet::Lines() const
{
    std::vector<std::string> lines;
    const auto count = static_cast<int>(SendMessageW(List(), LB_GETCOUNT, 0, 0));
    for (WPARAM row = 0; row < static_cast<WPARAM>(count); ++row) {
        std::wstring line(static_cast<std::size_t>(SendMessageW(List(), LB_GETTEXTLEN, row, 0)) + 1, L'\0');
        line.resize(static_cast<std::size_t>(
            SendMessageW(List(), LB_GETTEXT, row, reinterpret_cast<LPARAM>(line.data()))));
        lines.push_back(Utf8(line));
    }
    return lines;
}

std::vector<std::string> Quillet::Panels() const
{
    std::vector<std::string> panels;
    for (WPARAM panel = 0; panel < 3; ++panel) {
        std::wstring text(LOWORD(SendMessageW(Bar(), SB_GETTEXTLENGTHW, panel, 0)) + 1, L'\0');
        text.resize(LOWORD(SendMessageW(Bar(), SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()))));
        panels.push_back(Utf8(text));
    }
    return panels;
}

void Quillet::Keys(const std::string& keys) const
{
    SendKeys(keys);
    Pump();
}

void Quillet::Mouse(HWND control, POINT at, DWORD button) const
{
    ClientToScreen(control, &at);
    MouseInput(at, 0);
    MouseInput(at, button);
    Pump();
}

void Quillet::Click(HWND control, POINT at, bool right) const
{
    Mouse(control, at, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    Mouse(control, at, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

RECT Quillet::RowRect(int row) const
{
    RECT rect{};
    SendMessageW(List(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

void Quillet::ClickRow(int row) const
{
    const RECT rect = RowRect(row);
    Click(List(), {rect.left + 20, (rect.top + rect.bottom) / 2});
}

std::wstring ClipboardText()
{
    std::wstring text;
    if (OpenClipboard(nullptr)) {
        if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const wchar_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

void SetClipboardText(const std::wstring& text)
{
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
    }
}

std::string ToolTipText(HWND tool, UINT_PTR id)
{
    std::vector<HWND> tips;
    EnumThreadWindows(
        GetWindowThreadProcessId(tool, nullptr),
        [](HWND window, LPARAM found) {
            if (ClassOf(window) == TOOLTIPS_CLASSW) {
                reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tips));
    for (const HWND tip : tips) {
        wchar_t text[1024] = {};
        TOOLINFOW info{};
        info.cbSize = sizeof info;
        info.hwnd = tool;
        info.uId = id;
        if (SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info))) {
            info.lpszText = text;
            SendMessageW(tip, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&info));
            std::string plain = Utf8(text);
            for (std::size_t at = 0; (at = plain.find("\r\n", at)) != std::string::npos;) {
                plain.erase(at, 1);
            }
            return plain;
        }
    }
    return "no tooltip";
}

RECT PlaceOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    if (const HWND parent = GetParent(window);
        parent != nullptr && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    }
    return rect;
}
