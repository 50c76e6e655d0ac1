#include "win32/InputBox.h"

#include <cstdint>
#include <vector>

namespace {

// A dialog template, written word by word as DLGTEMPLATE and DLGITEMTEMPLATE lay it out.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short width, short height, const std::wstring& caption)
    {
        Dword(style);
        Dword(0);  // extended style
        Word(0);   // items: counted as they are added
        Coordinates(0, 0, width, height);
        Word(0);  // no menu
        Word(0);  // the standard dialog class
        Text(caption);
        Word(8);  // the font's size in points, and its name (DS_SETFONT)
        Text(L"MS Shell Dlg");
    }

    // A control of one of the system's classes, as its atom: 0x0080 button, 0x0081 edit,
    // 0x0082 static.
    void Add(WORD atom, DWORD style, short x, short y, short width, short height, int id,
             const std::wstring& text = L"")
    {
        while (words_.size() % 2 != 0) {
            Word(0);  // each item starts on a DWORD boundary
        }
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        Coordinates(x, y, width, height);
        Word(static_cast<WORD>(id));
        Word(0xFFFF);
        Word(atom);
        Text(text);
        Word(0);  // no creation data
        ++words_[4];
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void Word(WORD word) { words_.push_back(word); }
    void Dword(DWORD dword)
    {
        Word(LOWORD(dword));
        Word(HIWORD(dword));
    }
    void Coordinates(short x, short y, short width, short height)
    {
        for (const short value : {x, y, width, height}) {
            Word(static_cast<WORD>(value));
        }
    }
    void Text(const std::wstring& text)
    {
        words_.insert(words_.end(), text.begin(), text.end());
        Word(0);
    }

    std::vector<WORD> words_;
};

struct InputBoxState {
    HWND owner;
    const std::wstring& text;
    std::wstring entered;
};

void CentreOver(HWND dialog, HWND owner)
{
    RECT box{};
    RECT over{};
    GetWindowRect(dialog, &box);
    if (owner == nullptr || !GetWindowRect(owner, &over)) {
        const HMONITOR monitor = MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST);
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(monitor, &info);
        over = info.rcWork;
    }
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    SetWindowPos(dialog, nullptr, (over.left + over.right - width) / 2, (over.top + over.bottom - height) / 2,
                 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            state = reinterpret_cast<InputBoxState*>(lParam);
            const HWND entry = GetDlgItem(dialog, kInputBoxEntryId);
            SetWindowTextW(entry, state->text.c_str());
            SendMessageW(entry, EM_SETSEL, 0, -1);
            CentreOver(dialog, state->owner);
            SetFocus(entry);
            return FALSE;  // the focus is set
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                const HWND entry = GetDlgItem(dialog, kInputBoxEntryId);
                std::wstring entered(static_cast<std::size_t>(GetWindowTextLengthW(entry)) + 1, L'\0');
                entered.resize(static_cast<std::size_t>(
                    GetWindowTextW(entry, entered.data(), static_cast<int>(entered.size()))));
                state->entered = std::move(entered);
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

}  // namespace

std::optional<std::wstring> InputBox(HWND owner, const std::wstring& caption, const std::wstring& prompt,
                                     const std::wstring& text)
{
    // The prompt at the top left, OK and Cancel beside it, the entry field below: in
    // dialog units, which follow the dialog's font and the monitor's scale.
    DialogTemplate dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT, 250, 66,
                          caption);
    dialog.Add(0x0082, SS_LEFT | SS_NOPREFIX, 7, 7, 180, 36, kInputBoxPromptId, prompt);
    dialog.Add(0x0080, BS_DEFPUSHBUTTON | WS_TABSTOP, 195, 7, 48, 14, IDOK, L"OK");
    dialog.Add(0x0080, BS_PUSHBUTTON | WS_TABSTOP, 195, 25, 48, 14, IDCANCEL, L"Cancel");
    dialog.Add(0x0081, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 47, 236, 12, kInputBoxEntryId);
    InputBoxState state{owner, text, {}};
    if (DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), owner, InputBoxProc,
                                reinterpret_cast<LPARAM>(&state)) != IDOK) {
        return std::nullopt;
    }
    return state.entered;
}
