#pragma once

#include <string>

// What the programs ask the file system about a path before they read or write, in one
// place so that every caller gets the same answer. Paths are UTF-8; on Windows "\" and
// "/" separate folders, elsewhere only "/".

// True when something other than a folder exists at `path`, following symlinks.
bool FileExists(const std::string& path);

// True when `path` names a folder: an existing one, or a name that ends in a separator,
// "." or "..".
bool NamesFolder(const std::string& path);

// True when the folder that `path` lies in exists, so that a file of that name could be
// made there.
bool FolderExists(const std::string& path);

// True when writing to `output` could write over the file `source`: both are one file by
// device and inode, or by their final resolved paths (a network or FUSE file system may
// give one file two inode numbers), or either comparison failed. Only nothing there
// (at either path) or no permission to look at `output` (then the write cannot reach it
// either) rules a failed comparison out. "-" is standard output, as the write takes it.
bool MightBeSameFile(const std::string& output, const std::string& source);

// True when writing the executable made from `source` to `output` would lose the source:
// they might be one file (MightBeSameFile) and the source is a listing or object file.
// An executable is its own output: all it holds is in the dump list, and saving it again
// replaces it safely.
bool OutputWouldReplaceSource(const std::string& output, const std::string& source);
