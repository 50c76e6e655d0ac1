#include "win32/FrmQuillet.h"

#include "convert/FolderWatch.h"
#include "convert/FollowedFile.h"
#include "win32/Accessibility.h"
#include "win32/BlockMap.h"
#include "win32/Dpi.h"
#include "win32/DumpListBox.h"
#include "win32/FileDialogs.h"
#include "win32/StatusBar.h"
#include "win32/WideText.h"
#include "window/AppIdentity.h"
#include "window/DumpListText.h"
#include "window/FileDialogSetup.h"
#include "window/ListSizing.h"

#include <algorithm>
#include <cstring>
#include <thread>
#include <utility>

namespace {

constexpr const wchar_t* kClassName = L"FrmQuillet";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr UINT kOpenDropped = WM_APP + 1;
constexpr UINT kKeepLeastSize = WM_APP + 2;
constexpr UINT kFolderChanged = WM_APP + 3;
constexpr UINT_PTR kLookTimer = 1;

// "Courier New", 8.25 points, at `dpi`; where it is not installed, the system's closest
// fixed-pitch font: the columns of the dump lines must line up.
HFONT CreateDumpFont(int dpi)
{
    LOGFONTW font{};
    font.lfHeight = -MulDiv(825, dpi, 7200);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    wcscpy(font.lfFaceName, L"Courier New");
    return CreateFontIndirectW(&font);
}

// The system's font for message boxes, at `dpi`: for the status bar, the map's labels and
// what the empty list says.
HFONT CreateTextFont(int dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi));
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

// A key in the key rule's codes: Windows' codes of the letters are their upper-case ASCII
// codes.
int RuleKey(WPARAM key)
{
    if (key >= 'A' && key <= 'Z') {
        return static_cast<int>(key);
    }
    switch (key) {
        case VK_F3:
            return kKeyF3;
        case VK_F10:
            return kKeyF10;
        case VK_APPS:
            return kKeyMenu;
        default:
            return kOtherKey;
    }
}

bool Held(int key)
{
    return GetKeyState(key) < 0;
}

unsigned RuleModifiers()
{
    return (Held(VK_CONTROL) ? kCtrlKey : 0u) | (Held(VK_SHIFT) ? kShiftKey : 0u) |
           (Held(VK_MENU) ? kAltKey : 0u) | (Held(VK_LWIN) || Held(VK_RWIN) ? kMetaKey : 0u);
}

HICON LoadQuilletIcon(int size)
{
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), L"QUILLET", IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// Puts `text` on the clipboard as Unicode text, in place of what was there.
void PutOnClipboard(HWND owner, const std::wstring& text)
{
    // Another program may hold the clipboard for a moment.
    for (int tries = 0; !OpenClipboard(owner); ++tries) {
        if (tries == 20) {
            return;
        }
        Sleep(25);
    }
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

int TextHeight(HWND window, HFONT font)
{
    const HDC dc = GetDC(window);
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return metrics.tmHeight;
}

}  // namespace

// Hears of changes in a folder on a thread of its own, and posts a message to the window for
// each, for the window's own thread to look at the file it follows.
class FolderListener {
public:
    FolderListener(const std::string& folder, HWND window, UINT message)
    {
        std::string reason;
        if (watch_.Add(folder, reason)) {
            thread_ = std::thread([this, window, message] {
                while (watch_.Wait(std::nullopt) != FolderWatch::Wake::Stopped) {
                    PostMessageW(window, message, 0, 0);
                }
            });
        }
    }

    ~FolderListener()
    {
        watch_.Stop();
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    FolderListener(const FolderListener&) = delete;
    FolderListener& operator=(const FolderListener&) = delete;

private:
    FolderWatch watch_;
    std::thread thread_;
};

FrmQuillet::FrmQuillet(FileDialogs& dialogs)
    : dialogs_(dialogs), logic_(frontEnd_, frontEnd_.Commands(), *this)
{
    static const ATOM registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &FrmQuillet::Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass);
    }();
    (void)registered;
    CreateWindowExW(0, kClassName, Wide(kWindowTitle).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), this);
}

FrmQuillet::~FrmQuillet()
{
    listener_.reset();
    if (IsWindow(window_)) {
        closed = nullptr;
        DestroyWindow(window_);
    }
    if (menu_ != nullptr) {
        DestroyMenu(menu_);
    }
    DeleteObject(dumpFont_);
    DeleteObject(textFont_);
}

void FrmQuillet::Create()
{
    frontEnd_.SetOwner(window_);
    list_ = std::make_unique<DumpListBox>(window_, kListId, logic_.Doc().lines);
    map_ = std::make_unique<BlockMap>(window_, kMapId);
    bar_ = std::make_unique<StatusBar>(window_, kStatusBarId);
    // Its text is what a screen reader calls it, told of each new one (ShowNote).
    note_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kNoteId)), GetModuleHandleW(nullptr),
                            nullptr);
    frontEnd_.AttachStatusBar(bar_.get());
    list_->SetEmptyText(Wide(kNothingLoadedText));
    list_->menuRequested = [this](POINT at) { PopUpMenu(at); };
    map_->menuRequested = [this](POINT at) { PopUpMenu(at); };
    // The commands' keys act wherever the focus is: in the list or on the map.
    list_->keyHeard = [this](UINT message, WPARAM wParam, LPARAM lParam) {
        return KeyHeard(list_->KeyboardMenuPoint(), message, wParam, lParam);
    };
    map_->keyHeard = [this](UINT message, WPARAM wParam, LPARAM lParam) {
        return KeyHeard(map_->KeyboardMenuPoint(), message, wParam, lParam);
    };

    // The key after the tab is only a label: the keys act through the key rule. Wine's
    // menus leave no gap before it ("Copy Selection As TextCtrl+C"): two spaces make one,
    // and widen Windows' own gap a little.
    menu_ = CreatePopupMenu();
    for (const CommandItem& item : CommandTable()) {
        if (item.startsGroup) {
            AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
        }
        const std::string key = *item.keyLabel != '\0' ? std::string("\t  ") + item.keyLabel : std::string();
        AppendMenuW(menu_, MF_STRING, static_cast<UINT_PTR>(kFirstMenuId + static_cast<int>(item.command)),
                    Wide(item.caption + key).c_str());
    }

    frontEnd_.SetBeforeDialog([this] { logic_.BeforeDialog(); });
    DragAcceptFiles(window_, TRUE);
    UseDpi(static_cast<int>(GetDpiForWindow(window_)));

    // The client area's design size, widened where the fonts need it: the list shows a
    // listing's dump line of 16 bytes with its character column, and the status bar its
    // panels at their widths, panel 1 a little wider than panel 3. Worked out at 96 dots
    // per inch, as the design lengths are, and scaled.
    const int margin = Scaled(Twips(kListMargin), dpi_);
    const int list = list_->WidthOf(kListingLineWithCharacters) + 2 * SystemMetric(SM_CXEDGE, dpi_) +
                     SystemMetric(SM_CXVSCROLL, dpi_) + 2 * margin;
    const int bar = bar_->MinimumWidth() + 3 * TextHeight(window_, textFont_);
    const auto unscaled = [this](int pixels) { return MulDiv(pixels, USER_DEFAULT_SCREEN_DPI, dpi_); };
    const ClientSize size = InitialClientSize(unscaled(list), unscaled(bar), unscaled(map_->Height()));
    const SIZE frame = WindowSizeFor(0, 0);
    const RECT work = WorkArea();
    const ClientSize fitted =
        FittedToScreen({Scaled(size.width, dpi_), Scaled(size.height, dpi_)},
                       {work.right - work.left - frame.cx, work.bottom - work.top - frame.cy});
    // Where the system places it, moved in as far as the whole frame needs to show.
    const SIZE window = WindowSizeFor(fitted.width, fitted.height);
    RECT placed{};
    GetWindowRect(window_, &placed);
    const WindowPlace kept =
        KeptOnScreen({placed.left, placed.top, window.cx, window.cy},
                     {work.left, work.top, work.right - work.left, work.bottom - work.top});
    SetWindowPos(window_, nullptr, kept.left, kept.top, kept.width, kept.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
}

void FrmQuillet::UseDpi(int dpi)
{
    dpi_ = dpi;
    const HFONT oldDump = dumpFont_;
    const HFONT oldText = textFont_;
    dumpFont_ = CreateDumpFont(dpi);
    textFont_ = CreateTextFont(dpi);
    list_->SetFonts(dumpFont_, textFont_, dpi);
    map_->SetFont(textFont_);
    bar_->SetFont(textFont_, dpi);
    SendMessageW(note_, WM_SETFONT, reinterpret_cast<WPARAM>(textFont_), TRUE);
    DeleteObject(oldDump);
    DeleteObject(oldText);
    for (const auto& [which, metric] :
         {std::pair<WPARAM, int>{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
        const HICON old = reinterpret_cast<HICON>(
            SendMessageW(window_, WM_SETICON, which,
                         reinterpret_cast<LPARAM>(LoadQuilletIcon(SystemMetric(metric, dpi)))));
        if (old != nullptr) {
            DestroyIcon(old);
        }
    }
}

SIZE FrmQuillet::WindowSizeFor(int clientWidth, int clientHeight) const
{
    RECT rect{0, 0, clientWidth, clientHeight};
    AdjustWindowRectExForDpi(&rect, kStyle, FALSE, 0, static_cast<UINT>(dpi_));
    return {rect.right - rect.left, rect.bottom - rect.top};
}

RECT FrmQuillet::WorkArea() const
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

int FrmQuillet::MinimumListHeight() const
{
    // A few dump lines, and the horizontal scroll bar below them.
    return kFewestLinesShown * list_->RowHeight() + 2 * SystemMetric(SM_CYEDGE, dpi_) +
           SystemMetric(SM_CYHSCROLL, dpi_);
}

void FrmQuillet::Layout()
{
    // The list 60 twips from the window's edges; the block map below it, and the status
    // bar along the bottom edge, 45 twips apart.
    bar_->Layout();
    RECT client{};
    GetClientRect(window_, &client);
    const int margin = Scaled(Twips(kListMargin), dpi_);
    const int spacing = Scaled(Twips(kListSpacing), dpi_);
    const int width = client.right - 2 * margin;
    // The note, when it shows, between the map and the status bar.
    const int note = NoteHeight(width);
    const int noteTop = client.bottom - bar_->Height() - spacing - note;
    const int mapTop = noteTop - (note > 0 ? spacing : 0) - map_->Height();
    MoveWindow(note_, margin, noteTop, width, note, TRUE);
    MoveWindow(map_->Handle(), margin, mapTop, width, map_->Height(), TRUE);
    MoveWindow(list_->Handle(), margin, margin, width, std::max(0, mapTop - spacing - margin), TRUE);
}

bool FrmQuillet::KeyHeard(POINT menuAt, UINT message, WPARAM wParam, LPARAM lParam)
{
    KeyAction action;
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // A key held down repeats its press; the rule hears of the first alone.
            if ((lParam & (1 << 30)) == 0) {
                action = keys_.Pressed(RuleKey(wParam), RuleModifiers());
            }
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            action = keys_.Released(RuleKey(wParam), RuleModifiers());
            break;
        case WM_KILLFOCUS: {
            // Gone from the window's controls, the letters' releases go elsewhere.
            const auto to = reinterpret_cast<HWND>(wParam);
            if (to != list_->Handle() && to != map_->Handle()) {
                keys_.Forget();
            }
            return false;
        }
        default:
            return false;
    }
    if (action.popUpMenu) {
        PopUpMenu(menuAt);
    }
    if (action.command) {
        logic_.Run(*action.command);
    }
    return action.AsksSomething();
}

void FrmQuillet::PopUpMenu(POINT at)
{
    for (const CommandItem& item : CommandTable()) {
        const bool enabled = frontEnd_.Commands().IsEnabled(item.command);
        EnableMenuItem(menu_, static_cast<UINT>(kFirstMenuId + static_cast<int>(item.command)),
                       enabled ? MF_BYCOMMAND | MF_ENABLED : MF_BYCOMMAND | MF_GRAYED);
    }
    TrackPopupMenuEx(menu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, window_, nullptr);
}

void FrmQuillet::ShowPendingLines(bool showNewest)
{
    list_->ShowPendingLines(showNewest);
}

void FrmQuillet::ShowBlock(const MappedBlock* block)
{
    list_->ShowBlock(block);
    map_->Show(block ? std::optional<MappedBlock>(*block) : std::nullopt);
}

void FrmQuillet::SetEmptyText(const std::string& text)
{
    list_->SetEmptyText(Wide(text));
}

void FrmQuillet::ShowFirstLine()
{
    list_->ShowFirstLine();
}

std::optional<LineRoom> FrmQuillet::RoomForWidestLine() const
{
    if (list_->RowWidth() == 0 || IsZoomed(window_) || IsIconic(window_)) {
        return std::nullopt;
    }
    // The room the longest line and its character column need, a vertical scroll bar
    // beside them, against the room the list has.
    const int needed =
        list_->RowWidth() + 2 * SystemMetric(SM_CXEDGE, dpi_) + SystemMetric(SM_CXVSCROLL, dpi_);
    RECT window{};
    RECT list{};
    RECT client{};
    GetWindowRect(window_, &window);
    GetWindowRect(list_->Handle(), &list);
    GetClientRect(window_, &client);
    const RECT work = WorkArea();
    // The window's span as its frame's left edge and its client area's width.
    return LineRoom{needed,
                    list.right - list.left,
                    {window.left, client.right},
                    window.right - window.left - client.right,
                    work.left,
                    work.right - work.left};
}

void FrmQuillet::PlaceWindow(const WindowSpan& span)
{
    RECT window{};
    RECT client{};
    GetWindowRect(window_, &window);
    GetClientRect(window_, &client);
    SetWindowPos(window_, nullptr, span.left, window.top,
                 span.width + window.right - window.left - client.right, window.bottom - window.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string FrmQuillet::CurrentLine() const
{
    return list_->CurrentLine();
}

std::vector<int> FrmQuillet::SelectedRows() const
{
    return list_->SelectedRows();
}

void FrmQuillet::PutOnClipboard(const std::string& text)
{
    ::PutOnClipboard(window_, DumpTextWide(text));
}

std::optional<std::string> FrmQuillet::AskOpenPath(const std::string& presetName,
                                                   const std::optional<std::string>& folder)
{
    const std::optional<std::wstring> path =
        dialogs_.Ask(window_, OpenDialogSetup(), folder ? Wide(*folder) : L"", DumpTextWide(presetName));
    return path ? std::optional<std::string>(Utf8(*path)) : std::nullopt;
}

std::optional<std::string> FrmQuillet::AskSavePath(const std::string& presetPath)
{
    const DialogStart start = SaveDialogStart(presetPath);
    const std::optional<std::wstring> path =
        dialogs_.Ask(window_, SaveDialogSetup(), Wide(start.folder), Wide(start.name));
    return path ? std::optional<std::string>(Utf8(*path)) : std::nullopt;
}

void FrmQuillet::CommandRunning(bool running)
{
    // No file is taken while a command runs: Explorer shows so over the window.
    DragAcceptFiles(window_, running ? FALSE : TRUE);
}

int FrmQuillet::CurrentRow() const
{
    return list_->CurrentRow();
}

void FrmQuillet::ShowFound(int firstRow, int lastRow)
{
    list_->ShowFound(firstRow, lastRow);
}

void FrmQuillet::MoveMapCursor(std::int32_t address)
{
    map_->MoveCursor(address);
}

void FrmQuillet::FollowFile(const std::string& path)
{
    KillTimer(window_, kLookTimer);
    listener_.reset();
    if (!path.empty()) {
        listener_ = std::make_unique<FolderListener>(FolderToWatch(path), window_, kFolderChanged);
    }
}

void FrmQuillet::LookAgainIn(std::chrono::milliseconds delay)
{
    SetTimer(window_, kLookTimer, static_cast<UINT>(std::max<long long>(delay.count(), USER_TIMER_MINIMUM)),
             nullptr);
}

void FrmQuillet::ShowNote(const std::string& text)
{
    SetWindowTextW(note_, Wide(text).c_str());
    ShowWindow(note_, text.empty() ? SW_HIDE : SW_SHOWNA);
    Layout();
    if (!text.empty()) {
        TellScreenReaders(note_, EVENT_OBJECT_NAMECHANGE);
        NotifyWinEvent(EVENT_SYSTEM_ALERT, note_, OBJID_CLIENT, CHILDID_SELF);
    }
}

int FrmQuillet::NoteHeight(int width) const
{
    const int length = GetWindowTextLengthW(note_);
    if (!IsWindowVisible(note_) || length == 0 || width <= 0) {
        return 0;
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(note_, text.data(), length + 1)));
    RECT rect{0, 0, width, 0};
    const HDC dc = GetDC(note_);
    const HGDIOBJ old = SelectObject(dc, textFont_);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(note_, dc);
    return rect.bottom;
}

int FrmQuillet::TopLine() const
{
    return std::max(0, static_cast<int>(SendMessageW(list_->Handle(), LB_GETTOPINDEX, 0, 0)));
}

void FrmQuillet::ShowLineAtTop(int line)
{
    SendMessageW(list_->Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(line), 0);
}

void FrmQuillet::OpenFile(const std::string& path)
{
    logic_.OpenFile(path);
}

void FrmQuillet::OpenDropped(HDROP drop)
{
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 1) {
        std::wstring path(DragQueryFileW(drop, 0, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, 0, path.data(), static_cast<UINT>(path.size())));
        if (OpensWhenDropped(Utf8(path))) {
            // Loaded once the drop is over, so that the program the file came from is not
            // kept waiting while a message about the file is open.
            dropped_ = Utf8(path);
            PostMessageW(window_, kOpenDropped, 0, 0);
        }
    }
    DragFinish(drop);
}

LRESULT FrmQuillet::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_CREATE:
            Create();
            return 0;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED && bar_) {
                Layout();
            }
            return 0;
        case WM_WINDOWPOSCHANGING: {
            // A window manager (Wine's, under X) may make the window smaller than its least
            // size, which the system then keeps for the window but not for its frame on the
            // screen: it is put back to the least size once the move is over.
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (bar_ && (pos->flags & SWP_NOSIZE) == 0 && !IsIconic(window_)) {
                MINMAXINFO least{};
                OnMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&least));
                if (pos->cx < least.ptMinTrackSize.x || pos->cy < least.ptMinTrackSize.y) {
                    PostMessageW(window_, kKeepLeastSize, 0, 0);
                }
            }
            break;
        }
        case kKeepLeastSize: {
            if (IsIconic(window_) || IsZoomed(window_)) {
                return 0;
            }
            RECT window{};
            GetWindowRect(window_, &window);
            SetWindowPos(window_, nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            return 0;
        }
        case WM_GETMINMAXINFO:
            if (bar_) {
                // However small the window is made, the list shows a few dump lines, and the
                // status bar its panels whole.
                const int margin = Scaled(Twips(kListMargin), dpi_);
                const int spacing = Scaled(Twips(kListSpacing), dpi_);
                const SIZE least = WindowSizeFor(
                    std::max(bar_->MinimumWidth(), map_->MinimumWidth() + 2 * margin),
                    margin + MinimumListHeight() + 2 * spacing + map_->Height() + bar_->Height());
                // Never wider than the screen: the panels narrow instead (StatusBar::Layout).
                const RECT work = WorkArea();
                reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {
                    std::min<LONG>(least.cx, work.right - work.left), least.cy};
            }
            return 0;
        case WM_DPICHANGED: {
            UseDpi(HIWORD(wParam));
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_ACTIVATE:
            // The control that had the focus gets it back when the window is active again,
            // after a dialog as after another program.
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focused = GetFocus();
                if (focused == list_->Handle() || focused == map_->Handle()) {
                    focused_ = focused;
                }
            }
            break;
        case WM_SETFOCUS:
            SetFocus(focused_ == map_->Handle() ? map_->Handle() : list_->Handle());
            return 0;
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight =
                static_cast<UINT>(list_ ? list_->RowHeight() : 16);
            return TRUE;
        case WM_DRAWITEM:
            list_->DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_COMMAND: {
            const int index = LOWORD(wParam) - kFirstMenuId;
            if (HIWORD(wParam) == 0 && index >= 0 && index < static_cast<int>(CommandTable().size())) {
                logic_.Run(CommandTable()[static_cast<std::size_t>(index)].command);
            }
            return 0;
        }
        case WM_CONTEXTMENU:
            return 0;  // the list pops the menu up; the rest of the window has none
        case WM_SETCURSOR:
            if (frontEnd_.IsBusy()) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_DROPFILES:
            OpenDropped(reinterpret_cast<HDROP>(wParam));
            return 0;
        case kOpenDropped:
            OpenFile(dropped_);
            return 0;
        case kFolderChanged:
            logic_.FileMayHaveChanged();
            return 0;
        case WM_TIMER:
            if (wParam == kLookTimer) {
                KillTimer(window_, kLookTimer);
                logic_.FileMayHaveChanged();
                return 0;
            }
            break;
        case WM_DESTROY:
            if (closed) {
                closed();
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK FrmQuillet::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<FrmQuillet*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FrmQuillet*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->OnMessage(message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
}
