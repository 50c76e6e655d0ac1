#pragma once

#include <string>
#include <vector>

// The arguments after the program name, in UTF-8, as the core expects paths. On Windows
// `argv` holds them in the system's code page, which cannot spell every file name, so they
// are taken from the wide command line instead.
std::vector<std::string> Utf8Arguments(int argc, char** argv);
