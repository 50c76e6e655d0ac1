#pragma once

#include <string>
#include <string_view>

// Small text helpers. Only the space character counts as a space here: a tab is text.

std::string_view TrimSpaces(std::string_view text);

// True when the text is empty once spaces are removed.
bool IsBlank(std::string_view text);

char ToUpperAscii(char c);
std::string ToUpperAscii(std::string_view text);
