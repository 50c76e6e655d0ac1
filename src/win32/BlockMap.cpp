#include "win32/BlockMap.h"

#include "win32/WideText.h"
#include "window/BlockMapTips.h"

#include <commctrl.h>

#include <utility>

namespace {

constexpr const wchar_t* kClassName = L"QuilletBlockMap";

COLORREF WarningColour()
{
    return RGB((kWarningColour >> 16) & 0xFF, (kWarningColour >> 8) & 0xFF, kWarningColour & 0xFF);
}

RECT ToRect(int left, int top, int width, int height)
{
    return {left, top, left + width, top + height};
}

void Fill(HDC dc, const RECT& rect, int systemColour)
{
    FillRect(dc, &rect, GetSysColorBrush(systemColour));
}

// A text, in the system's line ends.
std::wstring ToolTipText(const std::string& text)
{
    std::wstring tip;
    for (const wchar_t c : Wide(text)) {
        tip += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
    }
    return tip;
}

}  // namespace

BlockMap::BlockMap(HWND parent, int id)
{
    static const ATOM registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &BlockMap::Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass);
    }();
    (void)registered;
    map_ =
        CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), this);

    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
    tool.hwnd = map_;
    tool.uId = reinterpret_cast<UINT_PTR>(map_);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void BlockMap::SetFont(HFONT font)
{
    font_ = font;
    const HDC dc = GetDC(map_);
    const HGDIOBJ old = SelectObject(dc, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(map_, dc);
    rowHeight_ = metrics.tmHeight;
    // Lines of about 60 characters at most.
    SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, 60 * metrics.tmAveCharWidth);
    InvalidateRect(map_, nullptr, TRUE);
}

void BlockMap::Show(std::optional<MappedBlock> block)
{
    block_ = std::move(block);
    InvalidateRect(map_, nullptr, FALSE);
}

BlockMapGeometry BlockMap::Geometry() const
{
    RECT client{};
    GetClientRect(map_, &client);
    return BlockMapGeometry(client.right, rowHeight_);
}

int BlockMap::TextWidth(HDC dc, const std::string& text) const
{
    const std::wstring wide = Wide(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

int BlockMap::MinimumWidth() const
{
    const HDC dc = GetDC(map_);
    const HGDIOBJ old = SelectObject(dc, font_);
    const int width = 4 * (TextWidth(dc, "C000") + rowHeight_);
    SelectObject(dc, old);
    ReleaseDC(map_, dc);
    return width;
}

std::wstring BlockMap::ToolTipAt(int x) const
{
    return ToolTipText(BlockMapToolTip(block_ ? &*block_ : nullptr, Geometry(), x));
}

void BlockMap::PointerAt(int x)
{
    std::wstring tip = ToolTipAt(x);
    if (tip == tip_) {
        return;
    }
    tip_ = std::move(tip);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = map_;
    tool.uId = reinterpret_cast<UINT_PTR>(map_);
    tool.lpszText = tip_.data();
    SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void BlockMap::Paint(HDC dc) const
{
    RECT client{};
    GetClientRect(map_, &client);
    Fill(dc, client, COLOR_BTNFACE);
    const BlockMapGeometry geometry = Geometry();
    const MapRect& strip = geometry.Strip();
    Fill(dc, ToRect(strip.left, strip.top, strip.width, strip.height), COLOR_WINDOW);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));

    // The four 16K pages, each labelled with its first address below the strip.
    for (const MapLabel& page : geometry.PageLabels()) {
        Fill(dc, ToRect(page.left, strip.top, 1, strip.height), COLOR_BTNSHADOW);
        RECT label = ToRect(page.left, strip.Bottom() + 1, page.width, client.bottom - strip.Bottom() - 1);
        const std::wstring text = Wide(page.text);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &label,
                  DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (block_) {
        const HBRUSH hatched = CreateHatchBrush(HS_BDIAGONAL, WarningColour());
        for (const StripPiece& piece : geometry.Pieces(block_->layout)) {
            const RECT rect = ToRect(piece.left, strip.top, piece.width, strip.height);
            FillRect(dc, &rect, piece.loadedTwice ? hatched : GetSysColorBrush(COLOR_HIGHLIGHT));
        }
        DeleteObject(hatched);
    }
    const RECT frame = ToRect(strip.left, strip.top, strip.width, strip.height);
    FrameRect(dc, &frame, GetSysColorBrush(COLOR_BTNSHADOW));
    if (!block_) {
        return;
    }

    // The places where a dump line does not follow on: a tick up from the strip's lower
    // edge, so that the block stays in sight around it.
    const HBRUSH warning = CreateSolidBrush(WarningColour());
    const int middle = strip.top + strip.height / 2;
    for (const int x : geometry.FollowOnTicks(block_->layout)) {
        const RECT tick{x - 1, middle, x + 1, strip.Bottom() + 1};
        FillRect(dc, &tick, warning);
    }
    DeleteObject(warning);

    // ENT and SP: a small triangle pointing down at the address, its label beside it.
    const int size = geometry.MarkerSize();
    const int bottom = strip.top;
    const HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(COLOR_WINDOWTEXT));
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    for (const MapMarker& marker :
         geometry.Markers(*block_, [this, dc](const std::string& text) { return TextWidth(dc, text); })) {
        const POINT arrow[] = {{marker.x - size, bottom - size - 1},
                               {marker.x + size + 1, bottom - size - 1},
                               {marker.x, bottom}};
        Polygon(dc, arrow, 3);
        RECT label = ToRect(marker.label.left, 0, marker.label.width, bottom);
        const std::wstring text = Wide(marker.label.text);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &label,
                  DT_LEFT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

LRESULT CALLBACK BlockMap::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* map = reinterpret_cast<BlockMap*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (map == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            const HDC dc = BeginPaint(window, &paint);
            // Drawn aside and copied at once, so that it does not flicker as it is redrawn.
            RECT client{};
            GetClientRect(window, &client);
            const HDC aside = CreateCompatibleDC(dc);
            const HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
            const HGDIOBJ oldBitmap = SelectObject(aside, bitmap);
            const HGDIOBJ oldFont = SelectObject(aside, map->font_);
            map->Paint(aside);
            BitBlt(dc, 0, 0, client.right, client.bottom, aside, 0, 0, SRCCOPY);
            SelectObject(aside, oldFont);
            SelectObject(aside, oldBitmap);
            DeleteObject(bitmap);
            DeleteDC(aside);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // painted whole by WM_PAINT
        case WM_SIZE:
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_MOUSEMOVE:
            map->PointerAt(static_cast<short>(LOWORD(lParam)));
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
