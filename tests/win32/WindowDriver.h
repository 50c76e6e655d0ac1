#pragma once

// What the Windows window's tests share: the window on screen with handles on its parts,
// keys and mouse buttons as a person presses them, a person answering the modal windows,
// a watchdog, and a folder for the files.

#include "ModalAnswerer.h"
#include "TempDir.h"
#include "win32/FileDialogs.h"
#include "win32/FrmQuillet.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

// Runs the thread's messages until none are left: the input sent has been taken, and
// what it started (a command, its modal windows) has run to its end.
void Pump();

// File dialogs that stand in for the system's: each is written down and answered by the
// answerer as the system's would be ("File [filter]: title 'name'"), without their
// controls. A name chosen is taken in `folder`.
class StandInFileDialogs : public FileDialogs {
public:
    StandInFileDialogs(ModalAnswerer& answerer, std::wstring folder);
    std::optional<std::wstring> Ask(HWND owner, const FileDialogSetup& setup, const std::wstring& folder,
                                    const std::wstring& name) override;

private:
    ModalAnswerer& answerer_;
    std::wstring folder_;
};

class Quillet;

// What every test of the window has: a folder of its own, a person answering the modal
// windows of this thread, and a watchdog that ends the test program when a test hangs,
// saying which windows were open.
class WindowTest : public testing::Test {
protected:
    WindowTest();
    ~WindowTest() override;

    // A copy of the test data file `name` in the folder; its path.
    std::string Copy(const std::string& name) { return dir.Write(name, ReadFileBytes(DataFile(name))); }

    // Opens `name`, in the folder, with Ctrl+O and the Open dialog; OpenCopy opens a copy
    // of the test data file `name`.
    void Open(const Quillet& q, const std::wstring& name);
    void OpenCopy(const Quillet& q, const std::string& name);

    // `text` with "%DIR%" replaced by the folder's path.
    std::string InDir(std::string text) const;

    TempDir dir;
    ModalAnswerer answerer;
    StandInFileDialogs dialogs{answerer, dir.Path().wstring()};

private:
    HANDLE done_;
    std::thread watchdog_;
};

// The window on screen, in front, with the list focused.
class Quillet {
public:
    explicit Quillet(FileDialogs& dialogs);

    HWND Window() const { return window.Handle(); }
    HWND List() const { return GetDlgItem(Window(), FrmQuillet::kListId); }
    HWND Map() const { return GetDlgItem(Window(), FrmQuillet::kMapId); }
    HWND Bar() const { return GetDlgItem(Window(), FrmQuillet::kStatusBarId); }

    // The dump lines the list shows (LB_GETTEXT), the status panels' texts (SB_GETTEXT).
    std::vector<std::string> Lines() const;
    std::vector<std::string> Panels() const;

    // Keys as SendKeys takes them, sent and taken.
    void Keys(const std::string& keys) const;

    // Moves the pointer to `at` in `control`'s client area and presses or releases a
    // mouse button there (MOUSEEVENTF_LEFTDOWN...); Click presses and releases it.
    void Mouse(HWND control, POINT at, DWORD button) const;
    void Click(HWND control, POINT at, bool right = false) const;
    void ClickRow(int row) const;
    RECT RowRect(int row) const;

    FrmQuillet window;
};

std::wstring ClipboardText();
void SetClipboardText(const std::wstring& text);

// What the tooltip of `tool` (with its id `id`) says.
std::string ToolTipText(HWND tool, UINT_PTR id);

// A window's rectangle in its parent's client area (the screen's for a top-level one).
RECT PlaceOf(HWND window);
