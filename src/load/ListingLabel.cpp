#include "load/ListingLabel.h"

#include "model/HexText.h"
#include "model/TextUtil.h"

#include <array>

namespace {

// From the address column: the address, a space, the twelve characters of the bytes.
constexpr std::size_t kSourceAfterAddress = 4 + 1 + 12;

bool IsDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool StartsName(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool EndsName(char c)
{
    return c == ' ' || c == '\t' || c == ':' || c == ';' || c == '=';
}

bool IsSpaceOrTab(char c)
{
    return c == ' ' || c == '\t';
}

// Whether the source text after a name, `rest`, gives the name a value instead of placing
// it: "=", or one of the value directives as a word of its own.
bool DefinesValue(std::string_view rest)
{
    std::size_t at = 0;
    if (at < rest.size() && rest[at] == ':') {
        ++at;
    }
    while (at < rest.size() && IsSpaceOrTab(rest[at])) {
        ++at;
    }
    rest.remove_prefix(at);
    if (!rest.empty() && rest[0] == '=') {
        return true;
    }
    std::size_t word = 0;
    while (word < rest.size() && !IsSpaceOrTab(rest[word])) {
        ++word;
    }
    const std::string upper = ToUpperAscii(rest.substr(0, word));
    constexpr std::array<std::string_view, 3> kValueDirectives = {".EQU", ".SET", "EQU"};
    for (const std::string_view directive : kValueDirectives) {
        if (upper == directive) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<Label> ListingLabel(std::string_view line, bool whole)
{
    std::size_t digits = 0;
    while (digits < line.size() && IsDecimalDigit(line[digits])) {
        ++digits;
    }
    const std::size_t address = digits + 3;
    if (digits == 0 || line.size() <= address + kSourceAfterAddress) {
        return std::nullopt;
    }
    for (std::size_t at = digits; at < address; ++at) {
        if (line[at] != ' ' && line[at] != '+') {
            return std::nullopt;
        }
    }
    for (std::size_t at = address; at < address + 4; ++at) {
        if (!IsHexDigit(line[at])) {
            return std::nullopt;
        }
    }
    for (std::size_t at = address + 4; at < address + kSourceAfterAddress; ++at) {
        if (line[at] != ' ' && !IsHexDigit(line[at])) {
            return std::nullopt;
        }
    }
    const std::string_view source = line.substr(address + kSourceAfterAddress);
    if (!StartsName(source[0])) {
        return std::nullopt;
    }
    std::size_t end = 1;
    while (end < source.size() && !EndsName(source[end])) {
        ++end;
    }
    if ((end == source.size() && !whole) || DefinesValue(source.substr(end))) {
        return std::nullopt;
    }
    return Label{std::string(source.substr(0, end)),
                 static_cast<std::int32_t>(HexValue(line.substr(address, 4)))};
}
