#include "ModalAnswerer.h"

#include "win32/InputBox.h"
#include "win32/WideText.h"
#include "window/AppIdentity.h"

#include <commctrl.h>
#include <dlgs.h>

#include <sstream>
#include <stdexcept>

namespace {

// How long a window may stay open once answered before it counts as still open: long
// enough for a busy machine, well within the watchdog's time.
constexpr DWORD kClosingTime = 30000;

// Text with the system's line ends as plain ones.
std::string Plain(const std::wstring& text)
{
    std::string plain = Utf8(text);
    for (std::size_t at = 0; (at = plain.find("\r\n", at)) != std::string::npos;) {
        plain.erase(at, 1);
    }
    return plain;
}

// The message box's icon as the message's kind.
std::string IconOf(HWND box)
{
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == L"Static" && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            const auto icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
            for (const auto& [shared, name] : {std::pair<LPCWSTR, const char*>{IDI_ERROR, "Error"},
                                               {IDI_WARNING, "Warning"},
                                               {IDI_QUESTION, "Question"},
                                               {IDI_INFORMATION, "Information"}}) {
                if (icon == LoadIconW(nullptr, shared)) {
                    return name;
                }
            }
            return "Icon?";
        }
    }
    return "No icon";
}

// The button that Enter presses.
HWND DefaultButton(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == L"Button" &&
            (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            return child;
        }
    }
    return nullptr;
}

std::string DefaultButtonOf(HWND box)
{
    const int id = GetDlgCtrlID(DefaultButton(box));
    return id == IDOK ? "OK" : id == IDYES ? "Yes" : id == IDNO ? "No" : "none";
}

std::string MenuOf(HWND menuWindow)
{
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    std::string items;
    for (int item = 0; item < GetMenuItemCount(menu); ++item) {
        wchar_t text[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(item), text, 128, MF_BYPOSITION);
        std::wstring caption = text;
        caption = caption.substr(0, caption.find(L'\t'));
        const UINT state = GetMenuState(menu, static_cast<UINT>(item), MF_BYPOSITION);
        const bool off = (state & (MF_GRAYED | MF_DISABLED)) != 0;
        const std::string shown = (state & MF_SEPARATOR) != 0 ? "--" : Utf8(caption) + (off ? " (off)" : "");
        items += (item > 0 ? ", " : "") + shown;
    }
    return "Menu: " + items;
}

// The control that has the keyboard focus in `window`'s thread.
HWND FocusOf(HWND window)
{
    GUITHREADINFO focus{};
    focus.cbSize = sizeof focus;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &focus);
    return focus.hwndFocus;
}

// What a modal window shows, written down; empty for a window that is no modal of ours,
// or not ready to be answered yet.
std::string Describe(HWND window)
{
    if (ClassOf(window) == L"#32768") {
        return MenuOf(window);
    }
    if (ClassOf(window) != L"#32770") {
        return {};
    }
    const std::string caption = Utf8(TextOf(window));
    const std::string unlessTitle = caption == kWindowTitle ? "" : "Caption '" + caption + "': ";
    if (const HWND prompt = GetDlgItem(window, kInputBoxPromptId); prompt != nullptr) {
        return unlessTitle + "Prompt [" + Utf8(TextOf(GetDlgItem(window, kInputBoxEntryId))) +
               "]: " + Plain(TextOf(prompt));
    }
    if (const HWND text = GetDlgItem(window, 0xFFFF); text != nullptr) {
        return unlessTitle + IconOf(window) + " [" + DefaultButtonOf(window) + "]: " + Plain(TextOf(text));
    }
    if (const HWND filter = GetDlgItem(window, cmb1); filter != nullptr) {
        // Ready once its file name field has the focus, whatever that field's id.
        const HWND name = FocusOf(window);
        if (ClassOf(name) != L"Edit" || !IsChild(window, name)) {
            return {};
        }
        return "File [" + Utf8(TextOf(filter)) + "]: " + caption + " '" + Utf8(TextOf(name)) + "'";
    }
    return "Dialog: " + caption;
}

void Click(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Closes a modal window whatever it is.
void Dismiss(HWND window)
{
    if (ClassOf(window) == L"#32768") {
        SendKeys("Escape");
        return;
    }
    for (const int id : {IDCANCEL, IDNO, IDOK}) {
        if (GetDlgItem(window, id) != nullptr) {
            Click(window, id);
            return;
        }
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
}

// Whether `answer` can answer `window`, and then answers it.
bool Give(HWND window, const Reply& answer)
{
    const bool menu = ClassOf(window) == L"#32768";
    const bool prompt = GetDlgItem(window, kInputBoxEntryId) != nullptr;
    const bool files = GetDlgItem(window, cmb1) != nullptr;
    switch (answer.kind) {
        case Reply::Default: {
            const HWND button = menu || files ? nullptr : DefaultButton(window);
            if (button == nullptr) {
                return false;
            }
            Click(window, GetDlgCtrlID(button));
            return true;
        }
        case Reply::Yes:
        case Reply::No: {
            const int id = answer.kind == Reply::Yes ? IDYES : IDNO;
            if (menu || GetDlgItem(window, id) == nullptr) {
                return false;
            }
            Click(window, id);
            return true;
        }
        case Reply::Type:
            if (!prompt) {
                return false;
            }
            SetDlgItemTextW(window, kInputBoxEntryId, answer.text.c_str());
            Click(window, IDOK);
            return true;
        case Reply::Cancel:
            if (!menu && !prompt && !files) {
                return false;
            }
            Dismiss(window);
            return true;
        case Reply::Choose: {
            if (!files) {
                return false;
            }
            // The file name field has the focus as the dialog opens, whatever its id.
            SendMessageW(FocusOf(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer.text.c_str()));
            Click(window, IDOK);
            return true;
        }
        case Reply::Pick:
            if (!menu) {
                return false;
            }
            SendKeys(Utf8(answer.text));
            return true;
    }
    return false;
}

}  // namespace

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

ModalAnswerer::ModalAnswerer(DWORD thread, bool wholeProcess) : owner_(thread), wholeProcess_(wholeProcess)
{
    thread_ = std::thread([this] { Watch(); });
}

ModalAnswerer::~ModalAnswerer()
{
    stop_ = true;
    thread_.join();
}

ModalAnswerer& ModalAnswerer::Then(const Reply& answer)
{
    std::lock_guard<std::mutex> lock(mutex_);
    answers_.push_back(answer);
    return *this;
}

std::vector<std::string> ModalAnswerer::Take()
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> seen;
    seen.swap(seen_);
    return seen;
}

bool ModalAnswerer::AllAnswered()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return answers_.empty();
}

std::optional<Reply> ModalAnswerer::Next(const std::string& shown)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (answers_.empty()) {
        seen_.push_back("Unexpected: " + shown);
        return std::nullopt;
    }
    seen_.push_back(shown);
    const Reply answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<std::wstring> ModalAnswerer::AnswerFileDialog(const std::string& shown)
{
    const std::optional<Reply> answer = Next(shown);
    if (!answer || answer->kind != Reply::Choose) {
        return std::nullopt;
    }
    return answer->text;
}

void ModalAnswerer::Look(HWND window)
{
    if (!IsWindowVisible(window) || !IsWindowEnabled(window)) {
        return;
    }
    const auto found = answered_.find(window);
    if (found != answered_.end()) {
        if (GetTickCount() - found->second > kClosingTime) {
            std::lock_guard<std::mutex> lock(mutex_);
            seen_.push_back("Still open: " + Describe(window));
            Dismiss(window);
            found->second = GetTickCount();
        }
        return;
    }
    const std::string shown = Describe(window);
    if (shown.empty()) {
        return;
    }
    answered_[window] = GetTickCount();
    if (onModal) {
        onModal(window);
    }
    const std::optional<Reply> answer = Next(shown);
    if (!answer || !Give(window, *answer)) {
        if (answer) {
            std::lock_guard<std::mutex> lock(mutex_);
            seen_.back() = "Unexpected: " + shown;
        }
        Dismiss(window);
    }
}

void ModalAnswerer::Watch()
{
    while (!stop_) {
        std::vector<HWND> windows;
        EnumWindows(
            [](HWND window, LPARAM found) {
                reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&windows));
        for (auto it = answered_.begin(); it != answered_.end();) {
            it = IsWindowVisible(it->first) ? std::next(it)
                                            : answered_.erase(it);  // closed: its handle may come back
        }
        for (const HWND window : windows) {
            DWORD process = 0;
            const DWORD thread = GetWindowThreadProcessId(window, &process);
            if ((wholeProcess_ ? process : thread) == owner_) {
                Look(window);
            }
        }
        Sleep(15);
    }
}

namespace {

WORD KeyCode(const std::string& name)
{
    static const std::map<std::string, WORD> named{
        {"^", VK_CONTROL}, {"Shift", VK_SHIFT},   {"Alt", VK_MENU},      {"F10", VK_F10},
        {"Apps", VK_APPS}, {"Up", VK_UP},         {"Down", VK_DOWN},     {"Home", VK_HOME},
        {"End", VK_END},   {"Return", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Tab", VK_TAB},
        {"Left", VK_LEFT}, {"Right", VK_RIGHT},   {"F3", VK_F3}};
    const auto found = named.find(name);
    if (found == named.end() && name.size() != 1) {
        throw std::invalid_argument("no key is named " + name);
    }
    return found != named.end() ? found->second : static_cast<WORD>(name[0]);
}

INPUT KeyInput(WORD key, bool down)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    const bool extended = key == VK_APPS || key == VK_UP || key == VK_DOWN || key == VK_LEFT ||
                          key == VK_RIGHT || key == VK_HOME || key == VK_END;
    input.ki.dwFlags = (down ? 0u : KEYEVENTF_KEYUP) | (extended ? KEYEVENTF_EXTENDEDKEY : 0u);
    return input;
}

}  // namespace

void SendKeys(const std::string& keys)
{
    std::vector<INPUT> inputs;
    std::istringstream strokes(keys);
    std::string stroke;
    while (strokes >> stroke) {
        if (stroke.size() > 1 && (stroke[0] == '+' || stroke[0] == '-')) {
            inputs.push_back(KeyInput(KeyCode(stroke.substr(1)), stroke[0] == '+'));
            continue;
        }
        std::vector<WORD> held;
        for (;;) {
            if (stroke.size() > 1 && stroke[0] == '^') {
                held.push_back(VK_CONTROL);
                stroke.erase(0, 1);
            } else if (stroke.size() > 2 && (stroke.rfind("S-", 0) == 0 || stroke.rfind("A-", 0) == 0)) {
                held.push_back(stroke[0] == 'S' ? VK_SHIFT : VK_MENU);
                stroke.erase(0, 2);
            } else {
                break;
            }
        }
        for (const WORD key : held) {
            inputs.push_back(KeyInput(key, true));
        }
        inputs.push_back(KeyInput(KeyCode(stroke), true));
        inputs.push_back(KeyInput(KeyCode(stroke), false));
        for (auto key = held.rbegin(); key != held.rend(); ++key) {
            inputs.push_back(KeyInput(*key, false));
        }
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}
