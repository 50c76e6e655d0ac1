#pragma once

#include <string>

// What the programs ask the file system about a path before they read or write, in one
// place so that every caller gets the same answer. Paths are UTF-8; on Windows "\" and
// "/" separate folders, elsewhere only "/".

// True when something other than a folder exists at `path`, following symlinks.
bool FileExists(const std::string& path);

// True when there is no file at `path` to read: nothing at all, or a folder. A path that
// cannot be looked at (a folder on the way that the user may not search) is not: reading
// it tells why.
bool NothingToRead(const std::string& path);

// True when `path` names a folder: an existing one, or a name that ends in a separator,
// "." or "..".
bool NamesFolder(const std::string& path);

// True when the folder that `path` lies in exists, so that a file of that name could be
// made there.
bool FolderExists(const std::string& path);

// True when writing to `output` would write over the file `source`, as far as can be told
// before it is read: both are one file by device and inode, or by their final resolved
// paths (a network or FUSE file system may give one file two inode numbers), or the
// output is the source's name in another spelling in the source's folder, which a file
// system that folds case takes for the source, unless the folder tells the two apart (it
// has no entry of the output's name, or lists both). A comparison
// that fails (a name too long, too many links) tells nothing, and is not taken for a
// match: the write itself compares what it is about to replace with the source as it was
// read (BlockState::SourceFile), where nothing can be changed in between. "-" is
// standard output, as the write takes it.
bool MightBeSameFile(const std::string& output, const std::string& source);

// True when writing the executable made from `source` to `output` would lose the source:
// they might be one file (MightBeSameFile) and the source is a listing or object file.
// An executable is its own output: all it holds is in the dump list, and saving it again
// replaces it safely.
bool OutputWouldReplaceSource(const std::string& output, const std::string& source);
