#include "window/TextWrap.h"

namespace {

// One line, without its line end, broken at spaces and appended to `out`: a space where a
// line breaks is dropped; every other stays.
void WrapLine(std::string_view line, std::size_t width, std::string_view lineEnd, std::string& out)
{
    std::size_t lineStart = out.size();
    for (std::size_t at = 0; at <= line.size();) {
        std::size_t end = line.find(' ', at);
        if (end == std::string_view::npos) {
            end = line.size();
        }
        const std::string_view word = line.substr(at, end - at);
        if (at > 0) {
            if (out.size() - lineStart + 1 + word.size() > width) {
                out.append(lineEnd);
                lineStart = out.size();
            } else {
                out += ' ';
            }
        }
        out.append(word);
        at = end + 1;
    }
}

}  // namespace

std::string WrapLines(std::string_view text, std::size_t width, std::string_view lineEnd)
{
    std::string wrapped;
    for (std::size_t at = 0;;) {
        const std::size_t end = text.find('\n', at);
        std::string_view line = text.substr(at, end == std::string_view::npos ? text.size() - at : end - at);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        WrapLine(line, width, lineEnd, wrapped);
        if (end == std::string_view::npos) {
            return wrapped;
        }
        wrapped.append(lineEnd);
        at = end + 1;
    }
}
