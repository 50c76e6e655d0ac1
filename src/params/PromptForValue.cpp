#include "params/PromptForValue.h"

#include "model/FrontEnd.h"
#include "model/HexText.h"
#include "params/NumericEntry.h"

std::optional<std::int32_t> PromptForValue(FrontEnd& ui, const std::string& prompt, const std::string& defaultText,
                                           std::int32_t lowest, std::int32_t highest)
{
    // The last numeric value typed; text that is not numeric leaves it as it was, so it
    // starts out of every range.
    std::int32_t candidate = -1;
    do {
        const std::string text = ui.AskText(prompt, defaultText);
        if (text.empty()) {
            return std::nullopt;
        }
        if (const std::optional<std::int32_t> value = NumericEntryValue(text)) {
            candidate = *value;
        }
    } while (candidate < lowest || candidate > highest);
    return candidate;
}

std::string HexDefault(std::int32_t value)
{
    return "&H" + FormatHex(static_cast<std::uint32_t>(value));
}
