// The window's parts one by one: how it opens, which keys and buttons bring up what, how
// its list, block map and status bar are laid out and what their tooltips say, dropped
// files, its front end on its own, the system's file dialogs, and `quillet.exe FILE`.

#include "FileImages.h"
#include "WindowDriver.h"

#include "win32/BlockMap.h"
#include "win32/WideText.h"
#include "win32/WindowFrontEnd.h"
#include "window/QuilletCommandLine.h"
#include "window/StatusPanels.h"
#include "window/TextWrap.h"

#include <commctrl.h>
#include <oleacc.h>
#include <shlobj.h>  // DROPFILES

#include <cstring>
#include <filesystem>
#include <optional>

namespace {

using WindowParts = WindowTest;

const std::string kNothingLoaded =
    "Open a Tasm listing, object file or Kestrane executable (Ctrl+O), or drop one here.";
const std::string kOpen = "File [Tasm OBJ Files (Intel, Motorola or MOS Hex, *.OBJ)]: Open Object File... ''";
const std::string kMenuBeforeALoad =
    "Menu: &Open..., Change O&RG... (off), Change &ENT... (off), Change S&P (off), "
    "&Copy Selection As Text (off), &Save EXE As... (off), --, &Go To... (off), &Find Bytes... (off), "
    "Find &Next (off), Find Pre&vious (off), --, Copy As Assembler &Bytes (off), Copy As C &Array (off)";
const std::string kMenu =
    "Menu: &Open..., Change O&RG..., Change &ENT..., Change S&P, &Copy Selection As Text, &Save EXE As..., "
    "--, &Go To..., &Find Bytes..., Find &Next, Find Pre&vious, --, Copy As Assembler &Bytes, Copy As C "
    "&Array";

POINT TopLeft(const RECT& rect)
{
    return {rect.left, rect.top};
}

bool operator==(POINT a, POINT b)
{
    return a.x == b.x && a.y == b.y;
}

// What a screen reader hears of `control`'s part `part` (0: the control itself), as it
// asks the control's accessible object: its name, value and description.
std::vector<std::string> Heard(HWND control, long part)
{
    void* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          &object))) {
        return {"no accessible object", "", ""};
    }
    auto* accessible = static_cast<IAccessible*>(object);
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = part;
    std::vector<std::string> heard;
    for (const auto method :
         {&IAccessible::get_accName, &IAccessible::get_accValue, &IAccessible::get_accDescription}) {
        BSTR text = nullptr;
        heard.push_back((accessible->*method)(child, &text) == S_OK && text != nullptr ? Utf8(text) : "");
        SysFreeString(text);
    }
    accessible->Release();
    return heard;
}

std::vector<int> PanelWidths(HWND bar)
{
    std::vector<int> widths;
    for (WPARAM panel = 0; panel < 3; ++panel) {
        RECT rect{};
        SendMessageW(bar, SB_GETRECT, panel, reinterpret_cast<LPARAM>(&rect));
        widths.push_back(rect.right - rect.left);
    }
    return widths;
}

TEST_F(WindowParts, OpensEmptyWithTheListReadyForKeys)
{
    Quillet q(dialogs);
    EXPECT_EQ(Utf8(TextOf(q.Window())), "Kestrane Quillet - V1.20");
    EXPECT_EQ(Utf8(TextOf(q.List())), "Dump lines");  // the names a screen reader gives them
    EXPECT_EQ(Utf8(TextOf(q.Map())), "Block map");
    EXPECT_NE(SendMessageW(q.Window(), WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(GetFocus(), q.List());
    EXPECT_NE(GetWindowLongW(q.List(), GWL_STYLE) & LBS_EXTENDEDSEL, 0);
    const HDC dc = GetDC(q.List());
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(q.List(), WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    ReleaseDC(q.List(), dc);
    EXPECT_EQ(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << "the dump lines' columns line up";
    EXPECT_EQ(q.Lines(), std::vector<std::string>());
    EXPECT_EQ(q.Panels(), std::vector<std::string>({"", "", ""}));

    // The menu's items as the command table has them, all but Open off; a menu command
    // sent to the window while off does nothing.
    answerer.Then(Cancel());
    q.Click(q.List(), {30, 30}, true);
    EXPECT_EQ(answerer.Take(), std::vector<std::string>({kMenuBeforeALoad}));
    SendMessageW(q.Window(), WM_COMMAND,
                 FrmQuillet::kFirstMenuId + static_cast<int>(WindowCommand::SaveExeAs), 0);
    Pump();
    EXPECT_EQ(answerer.Take(), std::vector<std::string>());
}

TEST_F(WindowParts, KeysActOnTheirReleaseWithCtrlOrShiftAlone)
{
    Quillet q(dialogs);
    q.Keys("^S-O A-O ^A-O O S-^F10 +^ +O");
    EXPECT_EQ(answerer.Take(), std::vector<std::string>());

    answerer.Then(Cancel());
    q.Keys("-O -^");
    EXPECT_EQ(answerer.Take(), std::vector<std::string>({kOpen}));
    // Ctrl let go of before the letter, as fast typists do: the command still runs.
    answerer.Then(Cancel());
    q.Keys("+^ +O -^ -O");
    EXPECT_EQ(answerer.Take(), std::vector<std::string>({kOpen}));

    // With no line current, Shift+F10 pops the menu up at the list's top-left corner.
    RECT menu{};
    answerer.onModal = [&menu](HWND shown) { GetWindowRect(shown, &menu); };
    answerer.Then(Cancel());
    q.Keys("S-F10");
    EXPECT_EQ(answerer.Take(), std::vector<std::string>({kMenuBeforeALoad}));
    RECT list{};
    GetWindowRect(q.List(), &list);
    EXPECT_TRUE(TopLeft(menu) == TopLeft(list));
}

TEST_F(WindowParts, TheRightButtonPopsTheMenuAtThePointerAndKeepsTheSelection)
{
    Quillet q(dialogs);
    OpenCopy(q, "hello.lst");
    q.ClickRow(0);
    SendKeys("+^");
    q.ClickRow(2);
    q.Keys("-^");

    const RECT row = q.RowRect(1);
    const POINT at{row.left + 40, (row.top + row.bottom) / 2};
    q.Mouse(q.List(), at, MOUSEEVENTF_RIGHTDOWN);
    EXPECT_EQ(answerer.Take(), std::vector<std::string>());  // not on the press
    RECT menu{};
    answerer.onModal = [&menu](HWND shown) { GetWindowRect(shown, &menu); };
    answerer.Then(Pick('C'));
    q.Mouse(q.List(), at, MOUSEEVENTF_RIGHTUP);
    EXPECT_EQ(answerer.Take(), std::vector<std::string>({kMenu}));
    POINT pointer = at;
    ClientToScreen(q.List(), &pointer);
    EXPECT_TRUE(TopLeft(menu) == pointer);
    const std::vector<std::string> lines = q.Lines();
    EXPECT_EQ(ClipboardText(), Wide(lines[0] + "\r\n" + lines[2] + "\r\n"));
}

TEST_F(WindowParts, TheMenuKeyAndShiftF10PopTheMenuUpBelowTheCurrentLine)
{
    Quillet q(dialogs);
    OpenCopy(q, "top16k.lst");
    q.ClickRow(2);
    RECT menu{};
    answerer.onModal = [&menu](HWND shown) { GetWindowRect(shown, &menu); };
    const RECT line = q.RowRect(2);
    POINT below{line.left, line.bottom};
    ClientToScreen(q.List(), &below);
    for (const char* keys : {"Apps", "S-F10"}) {
        answerer.Then(Cancel());
        q.Keys(keys);
        EXPECT_EQ(answerer.Take(), std::vector<std::string>({kMenu})) << keys;
        EXPECT_TRUE(TopLeft(menu) == below) << keys;
    }
    // The current line scrolled out of sight: at the list's top-left corner.
    SendMessageW(q.List(), LB_SETTOPINDEX, 1000, 0);
    answerer.Then(Cancel());
    q.Keys("Apps");
    EXPECT_EQ(answerer.Take(), std::vector<std::string>({kMenu}));
    RECT list{};
    GetWindowRect(q.List(), &list);
    EXPECT_TRUE(TopLeft(menu) == TopLeft(list));

    // A newly opened file shows its first line, whatever the list showed before.
    EXPECT_GT(SendMessageW(q.List(), LB_GETTOPINDEX, 0, 0), 0);
    OpenCopy(q, "top16k.obj");
    EXPECT_EQ(SendMessageW(q.List(), LB_GETTOPINDEX, 0, 0), 0);
}

TEST_F(WindowParts, TheMapTakesTheFocusWithTabAndTellsWhatIsAtItsCursor)
{
    Quillet q(dialogs);
    // A screen reader hears what the eye sees: the empty list's hint, each row's line and
    // mark, the panels' names and texts, what is at the map's cursor.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EXPECT_EQ(Heard(q.List(), 0)[2].rfind(kNothingLoaded + " The block", 0), 0u);
    OpenCopy(q, "split.obj");
    EXPECT_EQ(Heard(q.List(), 0)[2].rfind("The block", 0), 0u);
    EXPECT_EQ(Heard(q.List(), 1), std::vector<std::string>({q.Lines()[0], "!..............", ""}));
    EXPECT_EQ(Heard(q.List(), 2)[2].rfind("Dump line at 9000 does not follow on", 0), 0u);
    EXPECT_EQ(Heard(q.Bar(), 3),
              std::vector<std::string>(
                  {"ORG, ENT and SP", "Org=&H8000, Ent=&H8000, SP=&HBFFF ", StatusPanels()[2].description}));
    EXPECT_EQ(Heard(q.Map(), 0)[0], "Block map");
    EXPECT_EQ(Heard(q.Map(), 0)[1].rfind("8000, in the 16K page at 8000\nByte 1 of the block's 38", 0), 0u);
    q.Keys("Tab");
    EXPECT_EQ(GetFocus(), q.Map());
    EXPECT_EQ(q.window.Map().Cursor(), 0x8000);
    q.Keys("Right");
    EXPECT_EQ(q.window.Map().Cursor(), 0x800F);
    EXPECT_EQ(ToolTipText(q.Map(), 1).rfind("800F, in the 16K page at 8000\nByte 16 of the block's 38", 0),
              0u);

    // The commands' keys act on the map as in the list.
    answerer.Then(Cancel());
    q.Keys("^O");
    EXPECT_EQ(answerer.Take(), std::vector<std::string>({kOpen}));
    q.Keys("^C");
    const std::vector<std::string> lines = q.Lines();
    EXPECT_EQ(ClipboardText(), Wide(lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2] + "\r\n"));
    RECT menu{};
    answerer.onModal = [&menu](HWND shown) { GetWindowRect(shown, &menu); };
    for (const char* keys : {"Apps", "S-F10"}) {
        answerer.Then(Cancel());
        q.Keys(keys);
        EXPECT_EQ(answerer.Take(), std::vector<std::string>({kMenu})) << keys;
        EXPECT_TRUE(TopLeft(menu) == q.window.Map().KeyboardMenuPoint()) << keys;
    }
    EXPECT_EQ(GetFocus(), q.Map());
    // A command started from the map gives the focus back to the map once it is over.
    answerer.Then(Cancel());
    q.Keys("^R");
    EXPECT_EQ(answerer.Take().size(), 1u);
    EXPECT_EQ(GetFocus(), q.Map());
    // The right button over the map pops the menu up at the pointer.
    answerer.Then(Cancel());
    const POINT onMap = q.window.Map().PointOf(0x8000);
    q.Click(q.Map(), onMap, true);
    EXPECT_EQ(answerer.Take(), std::vector<std::string>({kMenu}));
    POINT pointer = onMap;
    ClientToScreen(q.Map(), &pointer);
    EXPECT_TRUE(TopLeft(menu) == pointer);
    q.Keys("Tab");
    EXPECT_EQ(GetFocus(), q.List());
}

// quillet.exe on its own, started in `folder` (its window where the system puts it, or at
// `at`, as a program starting it may ask), found once it is shown, its controls made; closed
// at the end. Read from here, as a screen reader reads another program.
class QuilletElsewhere {
public:
    explicit QuilletElsewhere(const std::filesystem::path& folder, std::optional<POINT> at = std::nullopt)
    {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        std::wstring command = L"quillet.exe";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (at) {
            startup.dwFlags = STARTF_USEPOSITION;
            startup.dwX = static_cast<DWORD>(at->x);
            startup.dwY = static_cast<DWORD>(at->y);
        }
        if (!CreateProcessW(Wide(QUILLET_PROGRAM).c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                            nullptr, folder.wstring().c_str(), &startup, &process_)) {
            return;
        }
        answerer.emplace(process_.dwProcessId, true);
        for (int tries = 0; tries < 200 && window == nullptr; ++tries) {
            Sleep(50);
            window = FindWindowW(L"FrmQuillet", L"Kestrane Quillet - V1.20");
            if (window != nullptr && !IsWindowVisible(window)) {
                window = nullptr;
            }
        }
    }
    ~QuilletElsewhere()
    {
        if (process_.hProcess == nullptr) {
            return;
        }
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(WaitForSingleObject(process_.hProcess, 10000), WAIT_OBJECT_0);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    QuilletElsewhere(const QuilletElsewhere&) = delete;
    QuilletElsewhere& operator=(const QuilletElsewhere&) = delete;

    HWND Bar() const { return GetDlgItem(window, FrmQuillet::kStatusBarId); }

    // Opens `path` with Ctrl+O and the system's Open dialog, and waits for the load to end.
    void Open(const std::string& path)
    {
        SetForegroundWindow(window);
        answerer->Then(Choose(Wide(path)));
        SendKeys("^O");
        for (int tries = 0; tries < 200 && Heard(Bar(), 1)[1].empty(); ++tries) {
            Sleep(50);
        }
        EXPECT_NE(Heard(Bar(), 1)[1], "") << path;
    }

    HWND window = nullptr;
    std::optional<ModalAnswerer> answerer;  // of its modal windows

private:
    PROCESS_INFORMATION process_{};
};

// Under Wine, which reads the screen's scale from its registry as each program starts, the
// programs started while this lives run at `dpi` dots per inch. Windows takes the setting
// only at the next sign-in: there it is left alone, and the programs run at the system's.
class ScaleOfProgramsStarted {
public:
    explicit ScaleOfProgramsStarted(DWORD dpi)
    {
        if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr ||
            RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                          &key_) != ERROR_SUCCESS) {
            return;
        }
        DWORD size = sizeof old_;
        had_ = RegQueryValueExW(key_, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&old_), &size) ==
               ERROR_SUCCESS;
        RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    ~ScaleOfProgramsStarted()
    {
        if (key_ == nullptr) {
            return;
        }
        if (had_) {
            RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof old_);
        } else {
            RegDeleteValueW(key_, kValue);
        }
        RegCloseKey(key_);
    }
    ScaleOfProgramsStarted(const ScaleOfProgramsStarted&) = delete;
    ScaleOfProgramsStarted& operator=(const ScaleOfProgramsStarted&) = delete;

    bool UnderWine() const { return key_ != nullptr; }

private:
    static constexpr const wchar_t* kValue = L"LogPixels";
    HKEY key_ = nullptr;
    DWORD old_ = 0;
    bool had_ = false;
};

TEST_F(WindowParts, AScreenReaderInAnotherProcessHearsThePanelsAndTheMap)
{
    // quillet.exe on its own, opening split.obj through its Open dialog.
    const std::string source = Copy("split.obj");
    QuilletElsewhere other(dir.Path());
    ASSERT_NE(other.window, nullptr);
    const HWND bar = other.Bar();
    const HWND map = GetDlgItem(other.window, FrmQuillet::kMapId);
    EXPECT_EQ(Heard(bar, 1), std::vector<std::string>({"File", "", StatusPanels()[0].description}));
    other.Open(source);
    EXPECT_EQ(Heard(bar, 1),
              std::vector<std::string>({"File", "SPLIT.OBJ (124 bytes)", StatusPanels()[0].description}));
    EXPECT_EQ(Heard(bar, 3)[1], "Org=&H8000, Ent=&H8000, SP=&HBFFF ");
    EXPECT_EQ(Heard(map, 0)[0], "Block map");
    EXPECT_EQ(Heard(map, 0)[1].rfind("8000, in the 16K page at 8000\nByte 1 of the block's 38", 0), 0u);
    EXPECT_EQ(Heard(map, 0)[2].rfind("The 64K address space", 0), 0u);
}

TEST_F(WindowParts, AtTwiceTheScaleTheWholeFrameStaysOnTheScreenAsTheWindowOpensAndWidens)
{
    // quillet.exe at 192 dots per inch, asked to open at 100,100: on the screen of 1280 by
    // 800 scripts/test-windows gives the tests it is as wide and as high as the screen, and
    // is moved to its top-left corner. Made narrower at the right edge, a record of 255
    // bytes widens it as far as the screen goes, and moves it left.
    const std::string wide =
        dir.Write("wide.obj", IntelHexRecord(0x8000, 0, std::string(255, 'A')) + "\n:00000001FF\n");
    std::optional<ScaleOfProgramsStarted> scale(192);
    QuilletElsewhere other(dir.Path(), POINT{100, 100});
    const bool scaled = scale->UnderWine();
    scale.reset();  // quillet.exe has read it
    ASSERT_NE(other.window, nullptr);
    if (scaled) {
        const Quillet here(dialogs);  // at Wine's 96 dots per inch
        const auto rowHeight = [](HWND window) {
            return SendMessageW(GetDlgItem(window, FrmQuillet::kListId), LB_GETITEMHEIGHT, 0, 0);
        };
        EXPECT_GE(rowHeight(other.window), 2 * rowHeight(here.Window()) - 2);
    }
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(other.window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT work = monitor.rcWork;
    const auto frame = [&other] {
        RECT rect{};
        GetWindowRect(other.window, &rect);
        return std::vector<long>{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    };
    const auto within = [&work](const std::vector<long>& rect) {
        return rect[0] >= work.left && rect[1] >= work.top && rect[0] + rect[2] <= work.right &&
               rect[1] + rect[3] <= work.bottom;
    };
    const std::vector<long> opened = frame();
    EXPECT_TRUE(within(opened)) << testing::PrintToString(opened);
    const long narrower = (work.right - work.left) * 3 / 4;
    SetWindowPos(other.window, nullptr, work.right - narrower, work.top, narrower, opened[3],
                 SWP_NOZORDER | SWP_NOACTIVATE);
    other.Open(wide);
    EXPECT_EQ(frame(), std::vector<long>({work.left, work.top, work.right - work.left, opened[3]}));
}

TEST_F(WindowParts, TheListFillsTheWindowAboveTheMapAndTheStatusBar)
{
    Quillet q(dialogs);
    const auto margins = [&q] {
        RECT client{};
        GetClientRect(q.Window(), &client);
        const RECT list = PlaceOf(q.List());
        const RECT map = PlaceOf(q.Map());
        const RECT bar = PlaceOf(q.Bar());
        return std::vector<long>{list.left,
                                 list.top,
                                 client.right - list.right,
                                 map.top - list.bottom,
                                 bar.top - map.bottom,
                                 client.bottom - bar.bottom,
                                 map.left - list.left,
                                 map.right - list.right};
    };
    // 60 twips around the list, 45 between the list, the map and the status bar (at 96
    // dots per inch, as Wine runs).
    const std::vector<long> designed{4, 4, 4, 3, 3, 0, 0, 0};
    EXPECT_EQ(margins(), designed);
    SetWindowPos(q.Window(), nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_EQ(margins(), designed);
    const RECT before = PlaceOf(q.List());
    ShowWindow(q.Window(), SW_MINIMIZE);
    Pump();
    ShowWindow(q.Window(), SW_RESTORE);
    Pump();
    const RECT after = PlaceOf(q.List());
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(WindowParts, TheStatusPanelsShareTheBarByWhatTheyHold)
{
    const std::string name = std::string(60, 'x') + ".lst";
    dir.Write(name, ReadFileBytes(DataFile("hello.lst")));
    Quillet q(dialogs);
    const std::vector<int> before = PanelWidths(q.Bar());
    EXPECT_GT(before[0], before[1]);
    EXPECT_GT(before[0], before[2]);
    EXPECT_EQ(ToolTipText(q.Bar(), 0), "LST File Lenght");
    const auto least = [&q] {
        MINMAXINFO info{};
        SendMessageW(q.Window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        return std::vector<long>{info.ptMinTrackSize.x, info.ptMinTrackSize.y};
    };
    const std::vector<long> leastBefore = least();

    // A name too long for panel 1 is cut and shows whole as its tooltip; the panels keep
    // their widths as texts no longer than usual change.
    answerer.Then(Choose(Wide(name))).Then(Type(L"&HC000")).Then(Enter()).Then(No());
    q.Keys("^O ^R");
    EXPECT_EQ(answerer.Take().size(), 4u);
    EXPECT_EQ(PanelWidths(q.Bar()), before);
    EXPECT_EQ(ToolTipText(q.Bar(), 0),
              "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX.LST (1343 bytes)");
    EXPECT_EQ(ToolTipText(q.Bar(), 1), "Block Bytes");
    EXPECT_EQ(q.Panels()[2], "Org=&HC000, Ent=&H8000, SP=&HBFFF ");

    // A block of over a million bytes re-based above FFFF: panels 2 and 3 take the room
    // their texts need from panel 1, and show them whole (their tooltips are not their
    // texts), without widening the window's least width; even at that width, where the
    // file's short name leaves them room.
    std::string records;
    for (unsigned i = 0; i < 3922; ++i) {
        records += IntelHexRecord((0x8000 + i * 255) & 0xFFFF, 0, std::string(255, 'B')) + "\n";
    }
    dir.Write("big.obj", records + ":00000001FF\n");
    answerer.Then(Choose(L"big.obj"))
        .Then(Type(L"&H7DDDDDDD"))
        .Then(Enter())
        .Then(Yes())
        .Then(No())
        .Then(No());
    q.Keys("^O ^R");
    EXPECT_EQ(answerer.Take().size(), 6u);
    const std::vector<std::string> panels = q.Panels();
    EXPECT_EQ(std::vector<std::string>(panels.begin() + 1, panels.end()),
              std::vector<std::string>({"Block=1000110 bytes ", "Org=&H7DDDDDDD, Ent=&H8000, SP=&HBFFF "}));
    const auto whole = [&q] {
        EXPECT_EQ(ToolTipText(q.Bar(), 0), "LST File Lenght");
        EXPECT_EQ(ToolTipText(q.Bar(), 1), "Block Bytes");
        EXPECT_EQ(ToolTipText(q.Bar(), 2), "");
    };
    whole();
    EXPECT_EQ(least(), leastBefore);
    SetWindowPos(q.Window(), nullptr, 0, 0, 1, 1, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    whole();
}

TEST_F(WindowParts, AtItsLeastTheWindowShowsAFewLinesAndEveryPanelWhole)
{
    Quillet q(dialogs);
    OpenCopy(q, "top16k.lst");
    const auto panelsInside = [&q] {
        RECT bar{};
        GetClientRect(q.Bar(), &bar);
        long right = 0;
        for (WPARAM panel = 0; panel < 3; ++panel) {
            RECT rect{};
            SendMessageW(q.Bar(), SB_GETRECT, panel, reinterpret_cast<LPARAM>(&rect));
            EXPECT_GE(rect.left, right) << panel;
            EXPECT_LE(rect.right, bar.right) << panel;
            right = rect.right;
        }
    };
    SetWindowPos(q.Window(), nullptr, 0, 0, 1, 1, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    RECT list{};
    GetClientRect(q.List(), &list);
    EXPECT_GE(list.bottom, 4 * static_cast<long>(SendMessageW(q.List(), LB_GETITEMHEIGHT, 0, 0)));
    panelsInside();
    // The file name's panel is never narrower than panel 3 without the size grip.
    const std::vector<int> widths = PanelWidths(q.Bar());
    EXPECT_GE(widths[0], widths[2] - GetSystemMetrics(SM_CXVSCROLL));

    // At 192 and 288 dots per inch the window never asks for more than the screen's width,
    // even for a record of 255 bytes: the list scrolls sideways, and the panels narrow alike.
    dir.Write("wide.obj", IntelHexRecord(0x8000, 0, std::string(255, 'A')) + "\n:00000001FF\n");
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(q.Window(), MONITOR_DEFAULTTONEAREST), &monitor);
    const long screen = monitor.rcWork.right - monitor.rcWork.left;
    for (const int dpi : {192, 288}) {
        RECT window{};
        GetWindowRect(q.Window(), &window);
        SendMessageW(q.Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&window));
        SetWindowPos(q.Window(), nullptr, 0, 0, 1, 1, SWP_NOMOVE | SWP_NOZORDER);
        Pump();
        GetWindowRect(q.Window(), &window);
        EXPECT_LE(window.right - window.left, screen) << dpi;
        panelsInside();
        Open(q, L"wide.obj");
        GetWindowRect(q.Window(), &window);
        EXPECT_LE(window.right - window.left, screen) << dpi;
        GetClientRect(q.List(), &list);
        EXPECT_GT(SendMessageW(q.List(), LB_GETHORIZONTALEXTENT, 0, 0), list.right) << dpi;
    }
}

TEST_F(WindowParts, TheMapAndTheGutterShowWhereTheBytesLoadAfterALoadAndAfterChangeOrg)
{
    // split.obj: 15 bytes at 8000, 20 at 9000, 3 at 9100, loaded one after another.
    Quillet q(dialogs);
    // The tooltip where the pointer rests on the map, or on a dump line.
    const auto tip = [](HWND control, POINT at) {
        SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        return ToolTipText(control, reinterpret_cast<UINT_PTR>(control));
    };
    const auto marks = [&] {
        std::vector<std::string> tips;
        for (int row = 0; row < 3; ++row) {
            const RECT line = q.RowRect(row);
            tips.push_back(tip(q.List(), {line.left + 1, (line.top + line.bottom) / 2}));
        }
        return tips;
    };
    const std::string notFollowing =
        "Dump line at %1 does not follow on from the bytes before it, which end at "
        "%2; the executable holds them one after another.";
    const auto warning = [&notFollowing](const std::string& at, const std::string& end) {
        std::string text = notFollowing;
        text.replace(text.find("%1"), 2, at);
        text.replace(text.find("%2"), 2, end);
        return text;
    };
    EXPECT_EQ(tip(q.Map(), q.window.Map().PointOf(0x8000)),
              "8000, in the 16K page at 8000\nNo block loaded.");
    OpenCopy(q, "split.obj");
    // On SP's triangle, above the strip.
    POINT sp = q.window.Map().PointOf(0xBFFF);
    sp.y = q.window.Map().Geometry().Strip().top - 1;
    const std::string onSp = tip(q.Map(), sp);
    EXPECT_EQ(onSp.substr(0, 2) + onSp.substr(4),
              "BF, in the 16K page at 8000\nNot in the block.\nSP, the initial stack pointer: BFFF.");
    POINT detail = q.window.Map().DetailPointOf(20);
    ++detail.x;
    EXPECT_EQ(tip(q.Map(), detail),
              "8014, in the 16K page at 8000\n"
              "Byte 21 of the block's 38, which its dump line puts at 9005.");
    EXPECT_EQ(marks(), std::vector<std::string>(
                           {"", WrapLines(warning("9000", "800E")), WrapLines(warning("9100", "9013"))}));

    // Moved to FFF0 it runs past FFFF: its bytes load from FFF0, and on from 0000.
    answerer.Then(Type(L"&HFFF0")).Then(Enter()).Then(Enter()).Then(No());
    q.Keys("^R");
    EXPECT_EQ(answerer.Take().size(), 4u);
    EXPECT_EQ(tip(q.Map(), q.window.Map().PointOf(0x0013)),
              WrapLines("0000, in the 16K page at 0000\n"
                        "Byte 17 of the block's 38, which its dump line puts at 0FF1.\nAt 0013: " +
                        warning("10F0", "1003")));
    EXPECT_EQ(marks()[2], WrapLines(warning("10F0", "1003")));
}

TEST_F(WindowParts, AnExecutableOpensWithItsOwnValuesAndSavesOverItselfUnchanged)
{
    const std::string image = ExeHeader(0x9000, 0x9003, 0xBFF0) + std::string(20, '\x76');
    const std::string exe = dir.Write("game.exe", image);
    Quillet q(dialogs);
    Open(q, L"game.exe");
    EXPECT_EQ(q.Lines(), std::vector<std::string>(
                             {"9000  76 76 76 76 76 76 76 76 76 76 76 76 76 76 76 76", "9010  76 76 76 76"}));
    EXPECT_EQ(q.Panels(), std::vector<std::string>({"GAME.EXE (532 bytes)", "Block=20 bytes ",
                                                    "Org=&H9000, Ent=&H9003, SP=&HBFF0 "}));

    // Saved where it came from: asked about, then replaced by the same bytes.
    answerer.Then(Choose(L"game.exe")).Then(Yes()).Then(Enter());
    q.Keys("^S");
    EXPECT_EQ(answerer.Take(), std::vector<std::string>(
                                   {"File [Kestrane EXE Files (*.EXE)]: Save Kestrane EXE As... 'game.exe'",
                                    "Information [No]: File exists. Delete?",
                                    InDir("Information [OK]: File saved as '%DIR%\\game.exe'")}));
    EXPECT_EQ(ReadFileBytes(exe), image);
}

TEST_F(WindowParts, AChecksumWarningShowsTheFailingRecordAsTheLastLine)
{
    std::string records;
    for (unsigned i = 0; i < 60; ++i) {
        records += IntelHexRecord(0x8000 + i, 0, "\x42") + "\n";
    }
    dir.Write("bad.obj", records + IntelHexRecord(0x803C, 0, "\x42", 1) + "\n");
    Quillet q(dialogs);
    std::vector<std::string> shown;
    bool lastLineVisible = false;
    answerer.onModal = [&](HWND) {
        shown = q.Lines();
        RECT last = q.RowRect(static_cast<int>(shown.size()) - 1);
        RECT client{};
        GetClientRect(q.List(), &client);
        lastLineVisible = last.top >= 0 && last.bottom <= client.bottom;
    };
    answerer.Then(Choose(L"bad.obj")).Then(Enter());
    q.Keys("^O");
    EXPECT_EQ(answerer.Take().back(), "Warning [OK]: Last line listed failed checksum. File read aborted.");
    ASSERT_EQ(shown.size(), 61u);
    EXPECT_EQ(shown.back(), "803C  42");
    EXPECT_TRUE(lastLineVisible);
    EXPECT_EQ(q.Lines(), std::vector<std::string>());
    EXPECT_EQ(q.Panels(), std::vector<std::string>({"", "", ""}));
}

TEST_F(WindowParts, ADroppedListingOrObjectFileOpens)
{
    const std::string notAssembled = Copy("split.asm");
    const std::string split = Copy("split.obj");
    Quillet q(dialogs);
    const auto drop = [&q](const std::string& path) {
        const std::wstring name = Wide(path);
        const std::size_t bytes = sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t);
        const HGLOBAL memory = GlobalAlloc(GHND, bytes);
        auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
        files->pFiles = sizeof(DROPFILES);
        files->fWide = TRUE;
        std::memcpy(files + 1, name.c_str(), name.size() * sizeof(wchar_t));
        GlobalUnlock(memory);
        PostMessageW(q.Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
        Pump();
    };
    drop(notAssembled);
    EXPECT_EQ(q.Lines().size(), 0u);
    drop(split);
    EXPECT_EQ(q.Lines().size(), 3u);
    EXPECT_EQ(q.Panels()[0], "SPLIT.OBJ (124 bytes)");

    // A file dropped while a command asks its question (Wine delivers it to the disabled
    // window) is refused: the answer is about the block it asked of, and goes to the file
    // it named.
    const std::string hello = Copy("hello.obj");
    dir.Write("SPLIT.EXE", "earlier split");
    dir.Write("HELLO.EXE", "earlier hello");
    answerer.onModal = [&](HWND shown) {
        if (ClassOf(shown) == L"#32770" && TextOf(GetDlgItem(shown, IDYES)) != L"") {
            drop(hello);
            Sleep(500);  // the window's modal loop takes the drop before the answer
        }
    };
    answerer.Then(Choose(L"SPLIT.EXE")).Then(Yes()).Then(Enter());
    q.Keys("^S");
    EXPECT_EQ(answerer.Take().back(), InDir("Information [OK]: File saved as '%DIR%\\SPLIT.EXE'"));
    EXPECT_EQ(ReadFileBytes(dir / "SPLIT.EXE").size(), 512u + 38u);
    EXPECT_EQ(ReadFileBytes(dir / "HELLO.EXE"), "earlier hello");
    EXPECT_EQ(q.Panels()[0], "SPLIT.OBJ (124 bytes)");
}

TEST_F(WindowParts, AFileWrittenAgainOnDiskIsLoadedAgainWithNoBox)
{
    dir.Write("game.obj", ReadFileBytes(DataFile("hello.obj")));
    Quillet q(dialogs);
    Open(q, L"game.obj");
    const HWND note = GetDlgItem(q.Window(), FrmQuillet::kNoteId);
    EXPECT_FALSE(IsWindowVisible(note));
    // The second dump line's address, once it is `address` or five seconds have passed.
    const auto secondLine = [&q](const std::string& address) {
        const DWORD start = GetTickCount();
        std::string shown;
        while ((shown = q.Lines().size() > 1 ? q.Lines()[1].substr(0, 4) : "") != address &&
               GetTickCount() - start < 5000) {
            Pump();
        }
        return shown;
    };
    const struct {
        const char* how;
        const char* data;
        const char* address;
        std::string note;
    } writes[] = {
        {"written in place", "split.obj", "9000",
         "GAME.OBJ loaded again. 2 dump lines do not follow on from the bytes before them."},
        {"a new file renamed over it", "hello.obj", "8018", "GAME.OBJ loaded again."},
    };
    for (const auto& write : writes) {
        SCOPED_TRACE(write.how);
        const std::string content = ReadFileBytes(DataFile(write.data));
        if (write.how[0] == 'a') {
            std::filesystem::rename(std::filesystem::u8path(dir.Write("game.new", content)),
                                    std::filesystem::u8path(dir / "game.obj"));
        } else {
            dir.Write("game.obj", content);
        }
        EXPECT_EQ(secondLine(write.address), write.address);
        EXPECT_EQ(answerer.Take(), std::vector<std::string>());
        EXPECT_TRUE(IsWindowVisible(note));
        const std::string said = Utf8(TextOf(note));
        EXPECT_EQ(said.substr(std::min<std::size_t>(9, said.size())), write.note) << said;
        EXPECT_EQ(Heard(note, 0)[0], said);  // what a screen reader hears
    }
}

TEST_F(WindowParts, TheSystemsFileDialogsOpenAndSave)
{
    const std::string source = Copy("hello.lst");
    CommonFileDialogs systems;
    Quillet q(systems);
    answerer.Then(Cancel());
    q.Keys("^O");
    EXPECT_EQ(answerer.Take(), std::vector<std::string>({kOpen}));
    answerer.Then(Choose(Wide(source)));
    q.Keys("^O");
    EXPECT_EQ(answerer.Take(), std::vector<std::string>({kOpen}));
    EXPECT_EQ(q.Lines().size(), 4u);

    // The Save dialog starts in the source's folder with the executable's name.
    answerer.Then(Choose(L"HELLO.EXE")).Then(Enter());
    q.Keys("^S");
    EXPECT_EQ(answerer.Take(), std::vector<std::string>(
                                   {"File [Kestrane EXE Files (*.EXE)]: Save Kestrane EXE As... 'HELLO.EXE'",
                                    InDir("Information [OK]: File saved as '%DIR%\\HELLO.EXE'")}));
    EXPECT_EQ(ReadFileBytes(dir / "HELLO.EXE"), ReadFileBytes(DataFile("expected/HELLO.LST.EXE")));

    // A name typed without an extension is saved as an executable.
    answerer.Then(Choose(L"NOEXT")).Then(Enter());
    q.Keys("^S");
    // (Wine gives it the filter's extension in lower case: the same file on Windows.)
    const std::string saved = answerer.Take().back();
    EXPECT_TRUE(saved == InDir("Information [OK]: File saved as '%DIR%\\NOEXT.EXE'") ||
                saved == InDir("Information [OK]: File saved as '%DIR%\\NOEXT.exe'"))
        << saved;
}

TEST_F(WindowParts, AFileArgumentConvertsWithMessageBoxesAlone)
{
    const std::string split = Copy("split.obj");
    const std::string bad = dir.Write("bad.obj", ":0180000080FE\n");
    WindowFrontEnd boxes;
    answerer.Then(Enter()).Then(Enter()).Then(Enter()).Then(Enter());
    EXPECT_EQ(ConvertWithMessageBoxes(split, boxes, BoxLines::WrappedByTheBox), 0);
    EXPECT_EQ(ConvertWithMessageBoxes(bad, boxes, BoxLines::WrappedByTheBox), 1);
    EXPECT_EQ(ConvertWithMessageBoxes(dir / "missing.obj", boxes, BoxLines::WrappedByTheBox), 2);
    // Records far apart: every place where a dump line does not follow on, in one box that
    // names the file, each a line the box wraps itself; a refused file: one box with the
    // reader's message and what came of it.
    const std::string notFollowing = " does not follow on from the bytes before it, which end at ";
    EXPECT_EQ(answerer.Take(),
              std::vector<std::string>(
                  {"Warning [OK]: " + split + ":\nDump line at 9000" + notFollowing +
                       "800E; the executable holds them one after another.\n\nDump line at 9100" +
                       notFollowing + "9013; the executable holds them one after another.",
                   InDir("Information [OK]: File saved as '%DIR%\\SPLIT.EXE'"),
                   "Warning [OK]: " + bad +
                       ":\nLast line listed failed checksum. File read aborted.\n\nNothing saved.",
                   "Error [OK]: It could be a good idea to supply a valid filename..."}));

    // A binary file: its ORG asked for as the window asks when it opens one, in a box with
    // no window behind it; Cancel saves nothing.
    const std::string binary = dir.Write("boot.bin", std::string(3, '\x76'));
    answerer.Then(Cancel()).Then(Type(L"&H9000")).Then(Enter());
    EXPECT_EQ(ConvertWithMessageBoxes(binary, boxes, BoxLines::WrappedByTheBox), 1);
    EXPECT_EQ(ConvertWithMessageBoxes(binary, boxes, BoxLines::WrappedByTheBox), 0);
    const std::string prompt = "Prompt [&H0]: Enter ORG of BOOT.BIN (prefix HEX numbers with '&H'):";
    EXPECT_EQ(answerer.Take(),
              std::vector<std::string>(
                  {prompt, prompt, InDir("Information [OK]: File saved as '%DIR%\\BOOT.EXE'")}));
    EXPECT_EQ(ReadFileBytes(dir / "BOOT.EXE").substr(16, 2), std::string("\x00\x90", 2));

    // The busy pointer while an executable is written.
    boxes.SetBusy(true);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    boxes.SetBusy(false);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

// Runs quillet.exe with `argument`, its standard output going to `output`, pressing Enter
// in its message boxes; its exit status, and what its boxes said (their icons are the
// other program's, which this one cannot read).
DWORD RunQuillet(const std::string& argument, const std::string& output, std::vector<std::string>& said)
{
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const HANDLE out = CreateFileW(Wide(output).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::wstring command = L"quillet.exe " + Wide(argument);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(Wide(QUILLET_PROGRAM).c_str(), command.data(), nullptr, nullptr, TRUE,
                                        0, nullptr, nullptr, &startup, &process);
    CloseHandle(out);
    if (!started) {
        return 99;
    }
    DWORD status = 98;
    {
        ModalAnswerer boxes(process.dwProcessId, true);
        boxes.Then(Enter()).Then(Enter());
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &status);
        said.clear();
        for (const std::string& box : boxes.Take()) {
            said.push_back(box.substr(box.find("]: ") + 3));
        }
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}

TEST_F(WindowParts, QuilletExeGivenAFileConvertsItAndExitsAsTheConverterDoes)
{
    const std::string hello = Copy("hello.obj");
    const std::string output = dir / "output.txt";
    std::vector<std::string> said;
    EXPECT_EQ(RunQuillet(hello, output, said), 0u);
    EXPECT_EQ(said, std::vector<std::string>({InDir("File saved as '%DIR%\\HELLO.EXE'")}));
    EXPECT_EQ(ReadFileBytes(dir / "HELLO.EXE"), ReadFileBytes(DataFile("expected/HELLO.OBJ.EXE")));
    EXPECT_EQ(RunQuillet(dir / "missing.obj", output, said), 2u);
    EXPECT_EQ(said, std::vector<std::string>({"It could be a good idea to supply a valid filename..."}));

    // --help and --version answer on standard output, as a console program's lines.
    EXPECT_EQ(RunQuillet("--version", output, said), 0u);
    EXPECT_EQ(ReadFileBytes(output), "quillet (Kestrane Quillet) 1.20\r\n");
    EXPECT_EQ(RunQuillet("--help", output, said), 0u);
    EXPECT_EQ(ReadFileBytes(output).rfind("usage: quillet [FILE]\r\n", 0), 0u);
    EXPECT_EQ(said, std::vector<std::string>());
}

}  // namespace
