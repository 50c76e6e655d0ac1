#include "win32/BlockMap.h"

#include "win32/Accessibility.h"
#include "win32/ToolTips.h"
#include "win32/WideText.h"
#include "window/BlockMapTips.h"
#include "window/Colours.h"

#include <commctrl.h>
#include <windowsx.h>

#include <utility>

namespace {

constexpr const wchar_t* kClassName = L"QuilletBlockMap";
constexpr UINT_PTR kCursorTool = 1;

COLORREF WarningColour()
{
    return RGB(kWarningColour.red, kWarningColour.green, kWarningColour.blue);
}

RECT ToRect(const PixelRect& rect)
{
    return {rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
}

void Fill(HDC dc, const RECT& rect, int systemColour)
{
    FillRect(dc, &rect, GetSysColorBrush(systemColour));
}

// A label, one line high, from its column; `bottom`: against the row's lower edge.
void DrawLabel(HDC dc, const MapLabel& label, int top, int height, bool bottom)
{
    RECT rect{label.left, top, label.left + label.width, top + height};
    const std::wstring text = Wide(label.text);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | (bottom ? DT_BOTTOM : DT_TOP));
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
    // Its window text is the name a screen reader gives it.
    map_ = CreateWindowExW(0, kClassName, Wide(kBlockMapName).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0,
                           0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), this);
    pointerTip_ = CreateToolTips(parent);
    AddTool(pointerTip_, map_, reinterpret_cast<UINT_PTR>(map_), TTF_SUBCLASS | TTF_IDISHWND);
    cursorTip_ = CreateToolTips(parent);
    AddTool(cursorTip_, map_, kCursorTool, TTF_TRACK | TTF_ABSOLUTE);
    // A screen reader hears what the map shows, and what is at its cursor.
    accessible_ = std::make_shared<AccessibleParts>();
    accessible_->name = [] { return Wide(kBlockMapName); };
    accessible_->value = [this] { return Wide(CursorToolTip(Block(), Geometry(), cursor_)); };
    accessible_->description = [this] { return Wide(BlockMapDescription(Block())); };
    Changed();
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
    InvalidateRect(map_, nullptr, FALSE);
}

void BlockMap::Show(std::optional<MappedBlock> block)
{
    block_ = std::move(block);
    cursor_ = block_ ? block_->layout.start : 0;
    Changed();
}

void BlockMap::MoveCursor(std::int32_t address)
{
    cursor_ = address;
    TellScreenReaders(map_, EVENT_OBJECT_VALUECHANGE);
    InvalidateRect(map_, nullptr, FALSE);
}

void BlockMap::Changed()
{
    TellScreenReaders(map_, EVENT_OBJECT_DESCRIPTIONCHANGE);
    pointerText_.clear();
    InvalidateRect(map_, nullptr, FALSE);
}

BlockMapGeometry BlockMap::Geometry() const
{
    RECT client{};
    GetClientRect(map_, &client);
    return BlockMapGeometry(client.right, rowHeight_);
}

POINT BlockMap::PointOf(std::int32_t address) const
{
    const BlockMapGeometry geometry = Geometry();
    return {geometry.XOf(address), geometry.Strip().top + geometry.Strip().height / 2};
}

POINT BlockMap::DetailPointOf(std::int64_t offset) const
{
    const BlockMapGeometry geometry = Geometry();
    const PixelRect& detail = geometry.DetailStrip();
    return {block_ ? geometry.DetailXOf(block_->layout, offset) : detail.left,
            detail.top + detail.height / 2};
}

POINT BlockMap::KeyboardMenuPoint() const
{
    const BlockMapGeometry geometry = Geometry();
    POINT at{geometry.XOf(cursor_), geometry.Strip().Bottom() + 1};
    ClientToScreen(map_, &at);
    return at;
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

void BlockMap::PointerAt(int x, int y)
{
    std::string tip = BlockMapToolTip(Block(), Geometry(), x, y);
    if (tip != pointerText_) {
        pointerText_ = std::move(tip);
        SetToolText(pointerTip_, map_, reinterpret_cast<UINT_PTR>(map_), pointerText_);
    }
}

void BlockMap::ShowCursorTip(bool show)
{
    if (!show) {
        SendMessageW(cursorTip_, TTM_TRACKACTIVATE, FALSE, 0);
        return;
    }
    const BlockMapGeometry geometry = Geometry();
    SetToolText(cursorTip_, map_, kCursorTool, CursorToolTip(Block(), geometry, cursor_));
    POINT below = PointOf(cursor_);
    below.y += rowHeight_;
    ClientToScreen(map_, &below);
    SendMessageW(cursorTip_, TTM_TRACKPOSITION, 0, MAKELPARAM(below.x, below.y));
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = map_;
    tool.uId = kCursorTool;
    SendMessageW(cursorTip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void BlockMap::PaintStrip(HDC dc, const PixelRect& strip, const std::vector<StripPiece>& pieces,
                          const std::vector<int>& ticks, bool halfTicks) const
{
    const HBRUSH hatched = CreateHatchBrush(HS_BDIAGONAL, WarningColour());
    for (const StripPiece& piece : pieces) {
        const RECT rect{piece.left, strip.top, piece.left + piece.width, strip.top + strip.height};
        FillRect(dc, &rect, piece.loadedTwice ? hatched : GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    DeleteObject(hatched);
    const RECT frame = ToRect(strip);
    FrameRect(dc, &frame, GetSysColorBrush(COLOR_BTNSHADOW));
    // The places where a dump line does not follow on: a tick up from the strip's lower
    // edge, on the overview only half way, so that the block stays in sight around it.
    const HBRUSH warning = CreateSolidBrush(WarningColour());
    for (const int x : ticks) {
        const RECT tick{x - 1, halfTicks ? strip.top + strip.height / 2 : strip.top, x + 1,
                        strip.Bottom() + 1};
        FillRect(dc, &tick, warning);
    }
    DeleteObject(warning);
}

void BlockMap::PaintMarkers(HDC dc, const MapMarkers& markers, int stripTop) const
{
    // A small triangle pointing down at each address, the labels beside them.
    const int size = Geometry().MarkerSize();
    const HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(COLOR_BTNTEXT));
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    for (const int x : markers.arrows) {
        const POINT arrow[] = {
            {x - size, stripTop - size - 1}, {x + size + 1, stripTop - size - 1}, {x, stripTop}};
        Polygon(dc, arrow, 3);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    for (const MapLabel& label : markers.labels) {
        DrawLabel(dc, label, stripTop - rowHeight_, rowHeight_, true);
    }
}

void BlockMap::Paint(HDC dc) const
{
    RECT client{};
    GetClientRect(map_, &client);
    Fill(dc, client, COLOR_BTNFACE);
    // The labels and markers stand on the map's own background, the button face: in its
    // text colour, which a person's palette may make differ from the window's.
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const BlockMapGeometry geometry = Geometry();
    const ::TextWidth textWidth = [this, dc](const std::string& text) { return TextWidth(dc, text); };

    // The overview: the four 16K pages, each labelled with its first address below the
    // strip, and the block where it loads.
    const PixelRect& strip = geometry.Strip();
    Fill(dc, ToRect(strip), COLOR_WINDOW);
    const std::vector<MapLabel> pages = geometry.PageLabels();
    for (const MapLabel& page : pages) {
        if (&page != &pages.front()) {  // the first page starts at the strip's frame
            Fill(dc, {page.left, strip.top, page.left + 1, strip.top + strip.height}, COLOR_BTNSHADOW);
        }
        DrawLabel(dc, page, strip.Bottom() + 1, rowHeight_, false);
    }
    const PixelRect& detail = geometry.DetailStrip();
    Fill(dc, ToRect(detail), COLOR_WINDOW);
    if (!block_) {
        PaintStrip(dc, strip, {}, {}, true);
        PaintStrip(dc, detail, {}, {}, false);
    } else {
        const BlockLayout& layout = block_->layout;
        PaintStrip(dc, strip, geometry.Pieces(layout), geometry.FollowOnTicks(layout), true);
        PaintMarkers(dc, geometry.Markers(*block_, textWidth), strip.top);

        // The detail row: the block's own bytes across the whole width.
        std::vector<StripPiece> pieces;
        if (layout.bytes > 0) {
            pieces.push_back({detail.left, detail.width, false});
        }
        if (const std::optional<StripPiece> twice = geometry.DetailLoadedTwice(layout)) {
            pieces.push_back(*twice);
        }
        PaintStrip(dc, detail, pieces, geometry.DetailTicks(layout), false);
        PaintMarkers(dc, geometry.DetailMarkers(*block_, textWidth), detail.top);
        for (const MapLabel& label : geometry.DetailLabels(*block_, textWidth)) {
            DrawLabel(dc, label, detail.Bottom() + 1, rowHeight_, false);
        }
    }

    if (GetFocus() == map_) {
        // The keyboard's cursor across the overview's strip, and the focus around it.
        const int x = geometry.XOf(cursor_);
        Fill(dc, {x - 1, strip.top - 1, x + 1, strip.Bottom() + 2}, COLOR_WINDOWTEXT);
        RECT focus = ToRect(strip);
        InflateRect(&focus, 2, 2);
        DrawFocusRect(dc, &focus);
    }
}

LRESULT BlockMap::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            const HDC dc = BeginPaint(map_, &paint);
            // Drawn aside and copied at once, so that it does not flicker as it is redrawn.
            RECT client{};
            GetClientRect(map_, &client);
            const HDC aside = CreateCompatibleDC(dc);
            const HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
            const HGDIOBJ oldBitmap = SelectObject(aside, bitmap);
            const HGDIOBJ oldFont = SelectObject(aside, font_);
            Paint(aside);
            BitBlt(dc, 0, 0, client.right, client.bottom, aside, 0, 0, SRCCOPY);
            SelectObject(aside, oldFont);
            SelectObject(aside, oldBitmap);
            DeleteObject(bitmap);
            DeleteDC(aside);
            EndPaint(map_, &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // painted whole by WM_PAINT
        case WM_SIZE:
            InvalidateRect(map_, nullptr, FALSE);
            return 0;
        case WM_MOUSEMOVE:
            PointerAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            SetFocus(map_);
            return 0;
        case WM_RBUTTONUP: {
            // The menu at the pointer, as over the list.
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(map_, &at);
            if (menuRequested) {
                menuRequested(at);
            }
            return 0;
        }
        case WM_CONTEXTMENU:
            if (lParam != -1 && menuRequested) {
                menuRequested({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            }
            return 0;
        case WM_SETFOCUS:
            // Come with Tab: the cursor's tooltip says where it is.
            ShowCursorTip(GetKeyState(VK_TAB) < 0);
            InvalidateRect(map_, nullptr, FALSE);
            return 0;
        case WM_KILLFOCUS:
            if (keyHeard) {
                keyHeard(message, wParam, lParam);
            }
            ShowCursorTip(false);
            InvalidateRect(map_, nullptr, FALSE);
            return 0;
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (keyHeard && keyHeard(message, wParam, lParam)) {
                return 0;
            }
            break;
        case WM_KEYDOWN:
            if (keyHeard && keyHeard(message, wParam, lParam)) {
                return 0;
            }
            switch (wParam) {
                case VK_LEFT:
                case VK_RIGHT:
                    cursor_ = NextCursorStop(Block(), cursor_, wParam == VK_LEFT ? -1 : 1);
                    break;
                case VK_HOME:
                    cursor_ = CursorStops(Block()).front();
                    break;
                case VK_END:
                    cursor_ = CursorStops(Block()).back();
                    break;
                case VK_TAB:
                    SetFocus(GetNextDlgTabItem(GetParent(map_), map_, GetKeyState(VK_SHIFT) < 0));
                    return 0;
                default:
                    return DefWindowProcW(map_, message, wParam, lParam);
            }
            ShowCursorTip(true);
            TellScreenReaders(map_, EVENT_OBJECT_VALUECHANGE);
            InvalidateRect(map_, nullptr, FALSE);
            return 0;
        case WM_GETOBJECT:
            if (const LRESULT answer = AnswerGetObject(map_, wParam, lParam, accessible_)) {
                return answer;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(map_, message, wParam, lParam);
}

LRESULT CALLBACK BlockMap::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<BlockMap*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->map_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<BlockMap*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->OnMessage(message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
}
