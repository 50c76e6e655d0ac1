#pragma once

#include <string>
#include <string_view>

// Small text helpers. Only the space character counts as a space here: a tab is text.

std::string_view TrimSpaces(std::string_view text);

// True when the text is empty once spaces are removed.
bool IsBlank(std::string_view text);

inline char ToUpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string ToUpperAscii(std::string_view text);

// The C library's text for an errno value ("No such file or directory"): the same words
// wherever the program runs, which std::generic_category() does not promise. 0 reads as
// EIO, for a call that failed without saying why.
std::string ErrnoText(int error);
