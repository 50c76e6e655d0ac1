#pragma once

#include <string>
#include <string_view>

// What the name of a source file says about it. Folders are separated by "/", and on
// Windows also by "\".

enum class SourceKind { ObjectFile, Listing, Executable, Other };

// By the last three characters of the upper-cased name: "OBJ", "LST" or "EXE".
SourceKind SourceKindOf(std::string_view path);

// The upper-cased file name, without its folder: the name the status bar shows.
std::string DisplayName(std::string_view path);

// The executable's path for a source path: the same folder as written, the file name
// upper-cased, and a final ".OBJ" or ".LST" replaced by ".EXE" (a name that ends in OBJ
// or LST without the dot gets ".EXE" appended), so never the source path itself. An
// executable's is the executable, as written: all it holds is in the dump list, and
// saving it again replaces it.
std::string ExePathFor(std::string_view path);
