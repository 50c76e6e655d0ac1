#pragma once

#include <string>
#include <string_view>

// What the name of a source file says about it. Folders are separated by "/", and on
// Windows also by "\".

enum class SourceKind { ObjectFile, Listing, Executable, Binary, Other };

// By the last three characters of the upper-cased name: "OBJ", "LST", "EXE" or "BIN". The
// name alone decides: a binary file holds no mark of its own to tell it by.
SourceKind SourceKindOf(std::string_view path);

// The upper-cased file name, without its folder: the name the status bar shows.
std::string DisplayName(std::string_view path);

// The executable's path for a source path: the same folder as written, the file name
// upper-cased, and a final ".OBJ", ".LST" or ".BIN" replaced by ".EXE" (a name that ends
// in OBJ, LST or BIN without the dot gets ".EXE" appended), so never the source path
// itself. An
// executable's is the executable, as written: all it holds is in the dump list, and
// saving it again replaces it.
std::string ExePathFor(std::string_view path);
