// The numbers typed for ORG, ENT and SP, on any text: the entry rule against a model built
// on the standard library's number parsing, the option rule's "0x" on top of it, and the
// prompt loop, which must end in a value in range or a cancel.

#include "FuzzSupport.h"
#include "edit/NumericEntry.h"

#include <charconv>
#include <limits>

namespace {

std::optional<std::int32_t> Digits(std::string_view digits, int base)
{
    // from_chars would take a sign for a signed type and stops at the first non-digit.
    if (digits.empty() || digits[0] == '-' || digits[0] == '+') {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (error != std::errc() || end != digits.data() + digits.size() ||
        value > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> ModelValue(std::string_view text, bool allowZeroX)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    const std::string_view prefix = text.substr(0, 2);
    if (prefix == "&H" || prefix == "&h" || (allowZeroX && (prefix == "0x" || prefix == "0X"))) {
        return Digits(text.substr(2), 16);
    }
    return Digits(text, 10);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(NumericEntryValue(text) == ModelValue(text, false));
    FUZZ_CHECK(NumericOptionValue(text) == ModelValue(text, true));

    // The same text as a script of answers to the ORG prompt and to the SP prompt.
    const std::deque<std::string> script = SplitLines(text);
    for (const std::int32_t highest : {std::numeric_limits<std::int32_t>::max(), 0xFFFF}) {
        FuzzFrontEnd ui(script);
        const std::optional<std::int32_t> value = PromptForValue(ui, "Enter new ORG:", "&H8000", 0, highest);
        FUZZ_CHECK(!value || (*value >= 0 && *value <= highest));
        FUZZ_CHECK(ui.prompts >= 1 && static_cast<std::size_t>(ui.prompts) <= script.size() + 1);
        if (value) {
            FUZZ_CHECK(NumericEntryValue(script[static_cast<std::size_t>(ui.prompts - 1)]) == value);
        }
    }
    return 0;
}
