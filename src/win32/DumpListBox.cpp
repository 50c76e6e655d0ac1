#include "win32/DumpListBox.h"

#include "win32/Accessibility.h"
#include "win32/Dpi.h"
#include "win32/ToolTips.h"
#include "win32/WideText.h"
#include "window/Colours.h"
#include "window/DumpListText.h"
#include "window/KeyRule.h"
#include "window/ListSizing.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <optional>

namespace {

// The character column's colour: dimmer than the dump line's, but readable on the row.
COLORREF Dimmed(COLORREF text, COLORREF background)
{
    const Rgb dimmed =
        DimmedTextColour({GetRValue(text), GetGValue(text), GetBValue(text)},
                         {GetRValue(background), GetGValue(background), GetBValue(background)});
    return RGB(dimmed.red, dimmed.green, dimmed.blue);
}

}  // namespace

DumpListBox::DumpListBox(HWND parent, int id, DumpList& lines) : lines_(lines)
{
    // Its window text is the name a screen reader gives it.
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTBOXW, Wide(kDumpListName).c_str(),
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL |
                                LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
    SetWindowSubclass(list_, &DumpListBox::Proc, 0, reinterpret_cast<DWORD_PTR>(this));
    lines_.SetObserver(this);
    tips_ = CreateToolTips(parent);
    AddTool(tips_, list_, reinterpret_cast<UINT_PTR>(list_), TTF_SUBCLASS | TTF_IDISHWND);
    // A screen reader hears each row's dump line, its characters, and its mark's warning.
    accessible_ = std::make_shared<AccessibleParts>();
    accessible_->name = [] { return Wide(kDumpListName); };
    accessible_->description = [this] {
        return Wide(DumpListDescription(shownRows_ == 0, Utf8(emptyText_)));
    };
    accessible_->count = [this] { return static_cast<long>(shownRows_); };
    accessible_->partName = [this](long row) { return DumpTextWide(lines_.Line(static_cast<int>(row - 1))); };
    accessible_->partValue = [this](long row) {
        return DumpTextWide(CharacterColumn(lines_.Line(static_cast<int>(row - 1))));
    };
    accessible_->partDescription = [this](long row) {
        const int index = static_cast<int>(row - 1);
        return Wide(DumpLineDescription(marks_, labels_, lines_.Line(index), index));
    };
    accessible_->partState = [this](long row) {
        const auto index = static_cast<WPARAM>(row - 1);
        long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
        if (SendMessageW(list_, LB_GETSEL, index, 0) > 0) {
            state |= STATE_SYSTEM_SELECTED;
        }
        if (GetFocus() == list_ &&
            SendMessageW(list_, LB_GETCARETINDEX, 0, 0) == static_cast<LRESULT>(index)) {
            state |= STATE_SYSTEM_FOCUSED;
        }
        return state;
    };
    accessible_->partRect = [this](long row) {
        RECT rect{};
        SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&rect));
        return rect;
    };
}

DumpListBox::~DumpListBox()
{
    lines_.SetObserver(nullptr);
    RemoveWindowSubclass(list_, &DumpListBox::Proc, 0);
}

void DumpListBox::SetFonts(HFONT dumpFont, HFONT textFont, int dpi)
{
    dumpFont_ = dumpFont;
    textFont_ = textFont;
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(dumpFont), FALSE);
    const HDC dc = GetDC(list_);
    const HGDIOBJ old = SelectObject(dc, dumpFont);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SIZE size{};
    GetTextExtentPoint32W(dc, L"0", 1, &size);
    SelectObject(dc, old);
    ReleaseDC(list_, dc);
    characterWidth_ = size.cx;
    margin_ = Scaled(2, dpi);
    gutter_ = MarkGutterWidth(metrics.tmHeight);
    rowHeight_ = metrics.tmHeight + Scaled(2, dpi);
    SendMessageW(list_, LB_SETITEMHEIGHT, 0, rowHeight_);
    SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(RowWidth()), 0);
    InvalidateRect(list_, nullptr, TRUE);
}

int DumpListBox::RowWidth() const
{
    if (widestRow_ < 0) {
        return 0;
    }
    const std::string_view line = lines_.Line(widestRow_);
    const auto characters = static_cast<int>(CharacterColumn(line).size());
    return WidthOf(static_cast<int>(line.size()) + (characters > 0 ? kCharacterColumnGap + characters : 0));
}

void DumpListBox::LinesCleared()
{
    shownRows_ = 0;
    widestRow_ = -1;
    replaced_ = false;
    current_ = false;
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    SendMessageW(list_, LB_SETHORIZONTALEXTENT, 0, 0);
}

void DumpListBox::LineAppended(int index)
{
    NoteWidth(index);
}

void DumpListBox::LineReplaced(int index)
{
    if (index < shownRows_) {
        NoteWidth(index);
        replaced_ = true;
    }
}

void DumpListBox::NoteWidth(int index)
{
    if (widestRow_ < 0 || lines_.Line(index).size() > lines_.Line(widestRow_).size()) {
        widestRow_ = index;
    }
}

void DumpListBox::ShowPendingLines(bool showNewest)
{
    if (replaced_) {
        replaced_ = false;
        InvalidateRect(list_, nullptr, FALSE);
    }
    const int count = lines_.Count();
    if (count <= shownRows_) {
        return;
    }
    const bool wasEmpty = shownRows_ == 0;
    shownRows_ = count;
    SendMessageW(list_, LB_SETCOUNT, static_cast<WPARAM>(count), 0);
    SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(RowWidth()), 0);
    if (wasEmpty) {
        InvalidateRect(list_, nullptr, TRUE);  // what the empty list said goes
    }
    if (showNewest) {
        SendMessageW(list_, LB_SETTOPINDEX, static_cast<WPARAM>(count - 1), 0);
    }
}

void DumpListBox::ShowBlock(const MappedBlock* block)
{
    if (block != nullptr) {
        marks_.Show(block->layout);
        labels_ = block->labels;
    } else {
        marks_.Clear();
        labels_.clear();
    }
    tip_.clear();
    SetToolText(tips_, list_, reinterpret_cast<UINT_PTR>(list_), tip_);
    InvalidateRect(list_, nullptr, FALSE);
}

void DumpListBox::ShowFirstLine()
{
    SendMessageW(list_, LB_SETTOPINDEX, 0, 0);
    if (GetFocus() == list_ && shownRows_ > 0) {
        TellScreenReaders(list_, EVENT_OBJECT_FOCUS, 1);  // the first line, current after a load
    }
}

void DumpListBox::PointerAt(POINT at)
{
    const LRESULT item = SendMessageW(list_, LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y));
    const int row = HIWORD(item) == 0 ? static_cast<int>(LOWORD(item)) : -1;
    std::string tip = row >= 0 && row < shownRows_ ? DumpLineToolTip(marks_, labels_, lines_.Line(row), row)
                                                   : std::string();
    if (tip != tip_) {
        tip_ = std::move(tip);
        SetToolText(tips_, list_, reinterpret_cast<UINT_PTR>(list_), tip_);
    }
}

void DumpListBox::SetEmptyText(const std::wstring& text)
{
    emptyText_ = text;
    InvalidateRect(list_, nullptr, TRUE);
    TellScreenReaders(list_, EVENT_OBJECT_DESCRIPTIONCHANGE);
}

std::vector<int> DumpListBox::SelectedRows() const
{
    const LRESULT count = SendMessageW(list_, LB_GETSELCOUNT, 0, 0);
    std::vector<int> rows(static_cast<std::size_t>(std::max<LRESULT>(count, 0)));
    if (!rows.empty()) {
        SendMessageW(list_, LB_GETSELITEMS, rows.size(), reinterpret_cast<LPARAM>(rows.data()));
    }
    return rows;
}

std::string DumpListBox::CurrentLine() const
{
    const int row = CurrentRow();
    return row >= 0 ? std::string(lines_.Line(row)) : std::string();
}

int DumpListBox::CurrentRow() const
{
    const auto row = static_cast<int>(SendMessageW(list_, LB_GETCARETINDEX, 0, 0));
    return current_ && row >= 0 && row < shownRows_ ? row : -1;
}

void DumpListBox::ShowFound(int firstRow, int lastRow)
{
    SendMessageW(list_, LB_SETSEL, FALSE, -1);
    SendMessageW(list_, LB_SELITEMRANGEEX, static_cast<WPARAM>(firstRow), static_cast<LPARAM>(lastRow));
    // The last row in sight, then the first: a run of rows longer than the list shows
    // starts at its top.
    SendMessageW(list_, LB_SETCARETINDEX, static_cast<WPARAM>(lastRow), FALSE);
    SendMessageW(list_, LB_SETCARETINDEX, static_cast<WPARAM>(firstRow), FALSE);
    current_ = true;
}

void DumpListBox::DrawRow(const DRAWITEMSTRUCT& row) const
{
    const auto index = static_cast<int>(row.itemID);
    if (index < 0 || index >= shownRows_) {
        return;
    }
    const HDC dc = row.hDC;
    const bool selected = (row.itemState & ODS_SELECTED) != 0;
    const COLORREF background = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    const COLORREF text = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    const HGDIOBJ old = SelectObject(dc, dumpFont_);
    // The gutter, with the mark of a line that does not follow on; then the row.
    RECT gutter = row.rcItem;
    gutter.right = gutter.left + gutter_;
    FillRect(dc, &gutter, GetSysColorBrush(COLOR_WINDOW));
    if (marks_.IsMarked(index)) {
        const HBRUSH warning =
            CreateSolidBrush(RGB(kWarningColour.red, kWarningColour.green, kWarningColour.blue));
        gutter.right -= 1;
        FillRect(dc, &gutter, warning);
        DeleteObject(warning);
    }
    RECT rest = row.rcItem;
    rest.left += gutter_;
    SetBkColor(dc, background);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rest, nullptr, 0, nullptr);

    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int x = rest.left + margin_;
    const int y = row.rcItem.top + (row.rcItem.bottom - row.rcItem.top - metrics.tmHeight) / 2;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    const std::string_view line = lines_.Line(index);
    const std::wstring shown = DumpTextWide(line);
    ExtTextOutW(dc, x, y, ETO_CLIPPED, &row.rcItem, shown.c_str(), static_cast<UINT>(shown.size()), nullptr);

    const std::wstring characters = DumpTextWide(CharacterColumn(line));
    if (!characters.empty() && widestRow_ >= 0) {
        const int column =
            x + characterWidth_ * (static_cast<int>(lines_.Line(widestRow_).size()) + kCharacterColumnGap);
        SetTextColor(dc, Dimmed(text, background));
        ExtTextOutW(dc, column, y, ETO_CLIPPED, &row.rcItem, characters.c_str(),
                    static_cast<UINT>(characters.size()), nullptr);
    }
    if ((row.itemState & ODS_FOCUS) != 0) {
        DrawFocusRect(dc, &rest);
    }
    SelectObject(dc, old);
}

void DumpListBox::PaintEmpty()
{
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(list_, &paint);
    RECT client{};
    GetClientRect(list_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    // In the window's text font, not the dump lines' fixed-pitch one: it is a sentence,
    // centred, wrapped where it is too long.
    const HGDIOBJ old = SelectObject(dc, textFont_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT text = client;
    InflateRect(&text, -metrics.tmHeight, -metrics.tmHeight);
    RECT needed = text;
    const UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    DrawTextW(dc, emptyText_.c_str(), -1, &needed, format | DT_CALCRECT);
    OffsetRect(&text, 0, std::max(0L, (text.bottom - text.top - (needed.bottom - needed.top)) / 2));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, emptyText_.c_str(), -1, &text, format);
    SelectObject(dc, old);
    EndPaint(list_, &paint);
}

POINT DumpListBox::KeyboardMenuPoint() const
{
    std::optional<PixelRect> current;
    if (current_) {
        RECT line{};
        SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(SendMessageW(list_, LB_GETCARETINDEX, 0, 0)),
                     reinterpret_cast<LPARAM>(&line));
        current = PixelRect{line.left, line.top, line.right - line.left, line.bottom - line.top};
    }
    RECT client{};
    GetClientRect(list_, &client);
    if (const std::optional<PixelPoint> below = ::KeyboardMenuPoint(current, client.bottom)) {
        POINT at{below->x, below->y};
        ClientToScreen(list_, &at);
        return at;
    }
    RECT list{};
    GetWindowRect(list_, &list);
    return {list.left, list.top};
}

LRESULT DumpListBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (keyHeard && keyHeard(message, wParam, lParam)) {
                return 0;
            }
            if (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_PRIOR || wParam == VK_NEXT ||
                wParam == VK_HOME || wParam == VK_END || wParam == VK_SPACE) {
                current_ = shownRows_ > 0;  // the keys that move in the list
            }
            if (wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
                SetFocus(GetNextDlgTabItem(GetParent(list_), list_, GetKeyState(VK_SHIFT) < 0));
                return 0;
            }
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (keyHeard && keyHeard(message, wParam, lParam)) {
                return 0;
            }
            break;
        case WM_LBUTTONDOWN:
            current_ = shownRows_ > 0;
            break;
        case WM_MOUSEMOVE:
            PointerAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            break;
        case WM_KILLFOCUS:
            if (keyHeard) {
                keyHeard(message, wParam, lParam);
            }
            break;
        case WM_RBUTTONDOWN:
            SetFocus(list_);
            return 0;
        case WM_RBUTTONUP: {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(list_, &at);
            if (menuRequested) {
                menuRequested(at);
            }
            return 0;
        }
        case WM_CONTEXTMENU:
            // Asked for at a point (the right button, a pen held down): the menu pops up
            // there. The system asks from the keyboard too (Shift+F10, the Menu key), on
            // the press: those keys act through the key rule instead.
            if (lParam != -1 && menuRequested) {
                menuRequested({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            }
            return 0;
        case LB_GETTEXTLEN:
            return wParam < static_cast<WPARAM>(shownRows_)
                       ? static_cast<LRESULT>(lines_.Line(static_cast<int>(wParam)).size())
                       : LB_ERR;
        case LB_GETTEXT: {
            if (wParam >= static_cast<WPARAM>(shownRows_)) {
                return LB_ERR;
            }
            const std::wstring line = DumpTextWide(lines_.Line(static_cast<int>(wParam)));
            std::copy(line.c_str(), line.c_str() + line.size() + 1, reinterpret_cast<wchar_t*>(lParam));
            return static_cast<LRESULT>(line.size());
        }
        case WM_GETOBJECT:
            if (const LRESULT answer = AnswerGetObject(list_, wParam, lParam, accessible_)) {
                return answer;
            }
            break;
        case WM_PAINT:
            if (shownRows_ == 0) {
                PaintEmpty();
                return 0;
            }
            break;
        case WM_SIZE:
            if (shownRows_ == 0) {
                InvalidateRect(list_, nullptr, TRUE);
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(list_, message, wParam, lParam);
}

LRESULT CALLBACK DumpListBox::Proc(HWND, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    return reinterpret_cast<DumpListBox*>(self)->OnMessage(message, wParam, lParam);
}
