#include "win32/FileDialogs.h"

#include "win32/WideText.h"
#include "window/FileDialogSetup.h"

#include <cderr.h>
#include <commdlg.h>

namespace {

// The longest path the dialog hands back: long paths are taken (the program's manifest
// says so).
constexpr std::size_t kLongestPath = 32768;

// The filter in the dialog's form: each description, then its pattern, each ended by a
// NUL, and one more NUL at the end. Names are matched in any case.
std::wstring Filter(const FileDialogSetup& setup)
{
    std::wstring filter;
    for (const FileFilter& item : setup.filters) {
        const std::string extension = item.extension;
        filter +=
            Wide(item.description) + L'\0' + (extension.empty() ? L"*.*" : L"*." + Wide(extension)) + L'\0';
    }
    return filter + L'\0';
}

}  // namespace

std::optional<std::wstring> CommonFileDialogs::Ask(HWND owner, const FileDialogSetup& setup,
                                                   const std::wstring& folder, const std::wstring& name)
{
    std::wstring path = name.substr(0, kLongestPath - 1);
    path.resize(kLongestPath, L'\0');
    const std::wstring filter = Filter(setup);
    const std::wstring title = Wide(setup.title);
    const std::wstring extension = Wide(setup.defaultExtension);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(setup.filterIndex);
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    // The flags as set up, the new dialog's look, and the current folder left alone.
    dialog.Flags = setup.flags | OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (!(setup.kind == FileDialogKind::Save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) {
        // A preset the dialog cannot take as a name (a dump line too long for one) leaves
        // the field empty rather than the dialog unshown.
        if (CommDlgExtendedError() == FNERR_INVALIDFILENAME && !name.empty()) {
            return Ask(owner, setup, folder, L"");
        }
        return std::nullopt;
    }
    path.resize(path.find(L'\0'));
    return path;
}
