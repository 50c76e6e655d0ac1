#pragma once

#include <string>
#include <string_view>

// Long texts of the windows (tooltips, the boxes of `quillet FILE`) in lines a person reads
// at a glance.

// The most characters of a line of a tooltip or a gathered message box.
inline constexpr std::size_t kWrapWidth = 60;

// `text` with each of its lines (ending in "\n", or in "\r\n") broken at spaces into lines
// of at most `width` characters; a word longer than that keeps a line of its own. The
// lines of the result end as `lineEnd` says.
std::string WrapLines(std::string_view text, std::size_t width = kWrapWidth, std::string_view lineEnd = "\n");
