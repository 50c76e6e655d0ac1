#include "model/HexText.h"

#include "model/TextUtil.h"

void AppendSpacedHexPairs(std::string_view digits, std::string& out)
{
    digits = TrimSpaces(digits);
    if (digits.empty()) {
        return;
    }
    // Written in place, a pair at a time: this runs for every record of an object file.
    const std::size_t size = digits.size();
    const std::size_t start = out.size();
    out.resize(start + size + (size - 1) / 2);
    char* to = &out[start];
    for (std::size_t i = 0; i < size; i += 2) {
        if (i > 0) {
            *to++ = ' ';
        }
        *to++ = ToUpperAscii(digits[i]);
        if (i + 1 < size) {
            *to++ = ToUpperAscii(digits[i + 1]);
        }
    }
}

std::string SpaceHexPairs(std::string_view digits)
{
    std::string pairs;
    AppendSpacedHexPairs(digits, pairs);
    return pairs;
}
