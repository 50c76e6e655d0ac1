#include "win32/StatusBar.h"

#include "win32/Accessibility.h"
#include "win32/Dpi.h"
#include "win32/ToolTips.h"
#include "win32/WideText.h"

#include <commctrl.h>

namespace {

std::size_t PanelIndex(StatusPanel panel)
{
    return static_cast<std::size_t>(panel) - 1;
}

}  // namespace

StatusBar::StatusBar(HWND parent, int id)
{
    bar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
    tips_ = CreateToolTips(parent);
    for (std::size_t panel = 0; panel < texts_.size(); ++panel) {
        AddTool(tips_, bar_, panel, TTF_SUBCLASS);
    }
    // A screen reader hears each panel's name, text and description.
    accessible_ = std::make_shared<AccessibleParts>();
    accessible_->count = [this] { return static_cast<long>(texts_.size()); };
    accessible_->partRole = ROLE_SYSTEM_STATICTEXT;
    const auto item = [](long part) -> const PanelItem& {
        return StatusPanels()[static_cast<std::size_t>(part - 1)];
    };
    accessible_->partName = [item](long part) { return Wide(item(part).name); };
    accessible_->partValue = [this](long part) { return texts_[static_cast<std::size_t>(part - 1)]; };
    accessible_->partDescription = [item](long part) { return Wide(item(part).description); };
    accessible_->partState = [](long) { return static_cast<long>(STATE_SYSTEM_READONLY); };
    accessible_->partRect = [this](long part) {
        RECT rect{};
        SendMessageW(bar_, SB_GETRECT, static_cast<WPARAM>(part - 1), reinterpret_cast<LPARAM>(&rect));
        return rect;
    };
    SetWindowSubclass(bar_, &StatusBar::Proc, 0, reinterpret_cast<DWORD_PTR>(this));
}

StatusBar::~StatusBar()
{
    RemoveWindowSubclass(bar_, &StatusBar::Proc, 0);
}

LRESULT CALLBACK StatusBar::Proc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR self)
{
    if (message == WM_GETOBJECT) {
        if (const LRESULT answer =
                AnswerGetObject(bar, wParam, lParam, reinterpret_cast<StatusBar*>(self)->accessible_)) {
            return answer;
        }
    }
    return DefSubclassProc(bar, message, wParam, lParam);
}

void StatusBar::SetFont(HFONT font, int dpi)
{
    font_ = font;
    dpi_ = dpi;
    SendMessageW(bar_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    widths_ = PanelWidthsFor([this](const std::string& text) { return TextWidth(Wide(text)); },
                             [this](char c) { return TextWidth(std::wstring(1, static_cast<wchar_t>(c))); });
    Layout();
}

int StatusBar::TextWidth(const std::wstring& text) const
{
    const HDC dc = GetDC(bar_);
    const HGDIOBJ old = SelectObject(dc, font_ != nullptr ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(bar_, dc);
    // The panel's borders and the space the bar leaves on either side of the text.
    return size.cx + 2 * (SystemMetric(SM_CXEDGE, dpi_) + metrics.tmAveCharWidth / 2) + 1;
}

void StatusBar::SetText(StatusPanel panel, const std::wstring& text)
{
    const std::size_t index = PanelIndex(panel);
    texts_[index] = text;
    Layout();  // the panels share the bar anew
    TellScreenReaders(bar_, EVENT_OBJECT_VALUECHANGE, static_cast<long>(index) + 1);
}

int StatusBar::Height() const
{
    RECT rect{};
    GetWindowRect(bar_, &rect);
    return rect.bottom - rect.top;
}

int StatusBar::MinimumWidth() const
{
    return widths_.file + widths_.block + widths_.addresses + 2 * PartGap() +
           SystemMetric(SM_CXVSCROLL, dpi_);
}

int StatusBar::PartGap() const
{
    int borders[3] = {};  // around the bar, above and below the parts, and between them
    SendMessageW(bar_, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    return borders[2];
}

void StatusBar::Layout()
{
    SendMessageW(bar_, WM_SIZE, 0, 0);  // the bar places itself along the bottom edge
    RECT client{};
    GetClientRect(bar_, &client);
    // The parts before their texts: the third reaches the right edge, the size grip with it;
    // they share the bar by what their texts need (PanelWidthsWithin). A part after another
    // starts a gap after its edge.
    const int grip = SystemMetric(SM_CXVSCROLL, dpi_);
    const int gap = PartGap();
    const PanelWidths needed{TextWidth(texts_[0]), TextWidth(texts_[1]), TextWidth(texts_[2])};
    const PanelWidths widths = PanelWidthsWithin(widths_, needed, client.right - grip - 2 * gap);
    const int second = client.right - grip - widths.addresses - gap;
    int edges[3] = {second - widths.block - gap, second, -1};
    SendMessageW(bar_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    for (std::size_t index = 0; index < texts_.size(); ++index) {
        SendMessageW(bar_, SB_SETTEXTW, index, reinterpret_cast<LPARAM>(texts_[index].c_str()));
    }
    UpdateToolTips();
}

void StatusBar::UpdateToolTips()
{
    for (std::size_t index = 0; index < texts_.size(); ++index) {
        RECT rect{};
        SendMessageW(bar_, SB_GETRECT, index, reinterpret_cast<LPARAM>(&rect));
        SetToolRect(tips_, bar_, index, rect);
        const bool cut = TextWidth(texts_[index]) > rect.right - rect.left;
        SetToolText(tips_, bar_, index, PanelToolTip(StatusPanels()[index], Utf8(texts_[index]), cut));
    }
}
