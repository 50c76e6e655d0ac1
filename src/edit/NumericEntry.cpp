#include "edit/NumericEntry.h"

#include "edit/Labels.h"
#include "model/FrontEnd.h"
#include "model/HexText.h"
#include "model/TextUtil.h"

#include <limits>

namespace {

constexpr std::int64_t kLargest = std::numeric_limits<std::int32_t>::max();

// `digits` read in `base` (10 or 16), or empty when it holds no digits, a character that
// is not a digit of that base, or a value above the largest 32-bit signed integer.
std::optional<std::int32_t> DigitsValue(std::string_view digits, int base)
{
    if (digits.empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : digits) {
        const bool isDigit = base == 16 ? IsHexDigit(c) : (c >= '0' && c <= '9');
        if (!isDigit) {
            return std::nullopt;
        }
        value = value * base + static_cast<std::int64_t>(HexValue(std::string_view(&c, 1)));
        if (value > kLargest) {
            return std::nullopt;
        }
    }
    return static_cast<std::int32_t>(value);
}

bool HasPrefix(std::string_view text, std::string_view upperPrefix)
{
    return text.size() >= upperPrefix.size() &&
           ToUpperAscii(text.substr(0, upperPrefix.size())) == upperPrefix;
}

std::optional<std::int32_t> NumberValue(std::string_view text, bool allowZeroX)
{
    text = TrimSpaces(text);
    if (HasPrefix(text, "&H") || (allowZeroX && HasPrefix(text, "0X"))) {
        return DigitsValue(text.substr(2), 16);
    }
    return DigitsValue(text, 10);
}

}  // namespace

std::optional<std::int32_t> NumericEntryValue(std::string_view text)
{
    return NumberValue(text, false);
}

std::optional<std::int32_t> NumericOptionValue(std::string_view text)
{
    return NumberValue(text, true);
}

std::optional<std::int32_t> PromptForValue(FrontEnd& frontEnd, const std::string& prompt,
                                           const std::string& defaultText, std::int32_t lowest,
                                           std::int32_t highest, const std::vector<Label>* labels)
{
    // The last numeric value typed; text that is not numeric leaves it as it was, so it
    // starts out of every range.
    std::int32_t candidate = -1;
    do {
        const std::string text = frontEnd.AskText(prompt, defaultText);
        if (text.empty()) {
            return std::nullopt;
        }
        if (const std::optional<std::int32_t> value = NumericEntryValue(text)) {
            candidate = *value;
        } else if (const Label* label = labels != nullptr ? FindLabel(*labels, TrimSpaces(text)) : nullptr) {
            candidate = label->address;
        }
    } while (candidate < lowest || candidate > highest);
    return candidate;
}
