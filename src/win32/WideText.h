#pragma once

#include <string>
#include <string_view>

// The core speaks std::string: paths and messages in UTF-8, dump lines as 8-bit text read
// byte for byte. The Windows API speaks UTF-16. These say how each kind of text crosses.

// A path, message or prompt.
std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

// A dump line, or lines of them: every byte shows as one character.
std::wstring DumpTextWide(std::string_view text);
