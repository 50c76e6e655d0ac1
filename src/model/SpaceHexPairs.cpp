#include "model/HexText.h"

#include "model/TextUtil.h"

std::string SpaceHexPairs(std::string_view digits)
{
    digits = TrimSpaces(digits);
    std::string pairs;
    pairs.reserve(digits.size() + digits.size() / 2);
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        if (i > 0) {
            pairs.push_back(' ');
        }
        pairs.push_back(ToUpperAscii(digits[i]));
        if (i + 1 < digits.size()) {
            pairs.push_back(ToUpperAscii(digits[i + 1]));
        }
    }
    return pairs;
}
