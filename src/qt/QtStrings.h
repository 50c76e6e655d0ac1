#pragma once

#include <QString>

#include <string>
#include <string_view>

// The core speaks std::string; Qt speaks QString. These say how each kind of text crosses.

// A file path: the bytes the file system uses for the name.
QString PathToQt(const std::string& path);
std::string PathFromQt(const QString& path);

// A message or prompt: UTF-8, with its CR LF line breaks made plain line breaks.
QString MessageToQt(const std::string& text);

// A dump line: 8-bit text, read byte for byte, so every byte shows as one character.
QString DumpTextToQt(std::string_view text);
