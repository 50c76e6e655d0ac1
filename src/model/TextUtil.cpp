#include "model/TextUtil.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

std::string_view TrimSpaces(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(' ') == std::string_view::npos;
}

std::string ToUpperAscii(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        c = ToUpperAscii(c);
    }
    return upper;
}

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at)
{
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned lead = byte(at);
    const std::size_t length = lead < 0x80                    ? 1
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    const unsigned second = byte(at + 1);
    const bool overlong = (lead == 0xE0 && second < 0xA0) || (lead == 0xF0 && second < 0x90);
    const bool beyond = (lead == 0xED && second >= 0xA0) || (lead == 0xF4 && second >= 0x90);
    return overlong || beyond ? 0 : length;
}

std::uint32_t CodePoint(std::string_view text, std::size_t at, std::size_t length)
{
    const auto byte = [&text](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(text[i]));
    };
    std::uint32_t point = length == 1 ? byte(at) : byte(at) & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
        point = point << 6 | (byte(at + i) & 0x3F);
    }
    return point;
}

namespace {

// The next character of `text` from `at` on, as a code point, and `at` moved past it; a
// byte that starts no valid UTF-8 sequence is taken alone, as a value above any code point.
std::uint32_t NextCharacter(std::string_view text, std::size_t& at)
{
    const std::size_t length = Utf8SequenceLength(text, at);
    const std::uint32_t point =
        length > 0 ? CodePoint(text, at, length) : 0x110000 + static_cast<unsigned char>(text[at]);
    at += length > 0 ? length : 1;
    return point;
}

// The lower-case letter of `point`, in the scripts that names on small machines' cards
// are written in.
std::uint32_t FoldedCase(std::uint32_t point)
{
    const auto in = [point](std::uint32_t first, std::uint32_t last) {
        return point >= first && point <= last;
    };
    if (in('A', 'Z') || (in(0xC0, 0xDE) && point != 0xD7) || (in(0x391, 0x3AB) && point != 0x3A2) ||
        in(0x410, 0x42F)) {
        return point + 0x20;
    }
    if (in(0x400, 0x40F)) {
        return point + 0x50;
    }
    // Latin Extended-A pairs each capital with the small letter after it, but for a run in
    // which the capital comes second.
    if (in(0x100, 0x137) || in(0x14A, 0x177)) {
        return point | 1;
    }
    if (in(0x139, 0x148) || in(0x179, 0x17E)) {
        return (point + 1) & ~1u;
    }
    return point == 0x178 ? 0xFF : point;
}

}  // namespace

bool SameNameFoldingCase(std::string_view name, std::string_view other)
{
    std::size_t at = 0;
    std::size_t otherAt = 0;
    while (at < name.size() && otherAt < other.size()) {
        if (FoldedCase(NextCharacter(name, at)) != FoldedCase(NextCharacter(other, otherAt))) {
            return false;
        }
    }
    return at == name.size() && otherAt == other.size();
}

std::string ErrnoText(int error)
{
    return std::strerror(error != 0 ? error : EIO);
}
