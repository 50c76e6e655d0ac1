#pragma once

#include <optional>
#include <string>
#include <vector>

// The Open and Save dialogs as the commands set them up, and what Save makes of the name
// chosen.

// A filter of a file dialog: the text shown, and the extension of the names it offers
// (in any case), or empty for every name.
struct FileFilter {
    const char* description;
    const char* extension;
};

enum class FileDialogKind { Open, Save };

struct FileDialogSetup {
    FileDialogKind kind;
    const char* title;
    std::vector<FileFilter> filters;
    int filterIndex;     // the filter selected at first, from 1: the program's own files
    bool fileMustExist;  // Open: only an existing file is taken
    bool pathMustExist;  // Save: only a name in an existing folder is taken
    unsigned flags;      // the same as the common dialog's flags: 0x1004 (Open), 0x40804 (Save)
    // Save: the extension given to a name typed without one ("NOEXT" saves as NOEXT.EXE);
    // empty for none.
    const char* defaultExtension;
};

// "Open Object File...": all files, Tasm OBJ files (selected), Tasm LST files, Kestrane
// EXE files, binary files.
const FileDialogSetup& OpenDialogSetup();

// "Save Kestrane EXE As...": all files, Kestrane EXE files (selected); a name typed
// without an extension gets ".EXE". It does not ask about replacing a file: the writer
// does.
const FileDialogSetup& SaveDialogSetup();

// Where the Open dialog starts: the folder of the file opened last, `lastSource`, where
// there is one and it still exists; otherwise nothing, and the dialog starts where it
// would.
std::optional<std::string> OpenDialogFolder(const std::string& lastSource);

// Where the Save dialog starts for `presetPath`: in its folder with its name, or, for a
// name in a folder that does not exist (one offered again after it was refused), in the
// nearest folder above that does, with the rest of the path as the name: a dialog given
// the path whole would drop the folders it cannot find. An empty `presetPath` gives an
// empty start: the dialog starts where it would.
struct DialogStart {
    std::string folder;
    std::string name;
};
DialogStart SaveDialogStart(const std::string& presetPath);

// Whether a file dropped onto the window is opened: a listing, object file, executable or
// binary file by its name, not a folder.
bool OpensWhenDropped(const std::string& path);

// Why Save does not take `path`, chosen in its dialog while `source` is loaded: a name in
// a folder that does not exist, or the source itself. The window shows the message with
// the warning icon and offers the dialog again on that name. Nothing when it is taken.
std::optional<std::string> SavePathRefusal(const std::string& path, const std::string& source);
