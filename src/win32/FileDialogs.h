#pragma once

#include <windows.h>

#include <optional>
#include <string>

struct FileDialogSetup;

// The Open and Save dialogs, as the window asks for them. The window holds them through
// this interface, so that a test can stand in for the system's dialogs, whose controls
// differ from one version of Windows to the next (and under Wine).
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // Shows the dialog `setup` describes (OpenDialogSetup or SaveDialogSetup) over
    // `owner`, starting in `folder` (where the system starts, when empty) with `name` in
    // its file name field. Returns the path chosen, or nothing on Cancel.
    virtual std::optional<std::wstring> Ask(HWND owner, const FileDialogSetup& setup,
                                            const std::wstring& folder, const std::wstring& name) = 0;
};

// The system's common dialogs. A preset name they cannot take is left out; a dialog that
// fails otherwise counts as cancelled.
class CommonFileDialogs : public FileDialogs {
public:
    std::optional<std::wstring> Ask(HWND owner, const FileDialogSetup& setup, const std::wstring& folder,
                                    const std::wstring& name) override;
};
