#include "win32/ToolTips.h"

#include "win32/WideText.h"

#include <commctrl.h>

namespace {

TOOLINFOW Tool(HWND control, UINT_PTR id)
{
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = control;
    tool.uId = id;
    return tool;
}

}  // namespace

HWND CreateToolTips(HWND owner)
{
    const HWND tips = CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    // Lines are broken where the text breaks them (about 60 characters); a width is set
    // only so that the breaks are taken, and wide enough never to add any.
    SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, 4096);
    return tips;
}

void AddTool(HWND tips, HWND control, UINT_PTR id, UINT flags)
{
    TOOLINFOW tool = Tool(control, id);
    tool.uFlags = flags;
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void SetToolRect(HWND tips, HWND control, UINT_PTR id, const RECT& rect)
{
    TOOLINFOW tool = Tool(control, id);
    tool.rect = rect;
    SendMessageW(tips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void SetToolText(HWND tips, HWND control, UINT_PTR id, const std::string& text)
{
    std::wstring lines;
    for (const wchar_t c : Wide(text)) {
        lines += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
    }
    TOOLINFOW tool = Tool(control, id);
    tool.lpszText = lines.data();
    SendMessageW(tips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}
