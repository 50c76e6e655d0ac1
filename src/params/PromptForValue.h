#pragma once

#include <cstdint>
#include <optional>
#include <string>

class FrontEnd;

// The prompt loop of Change ORG, ENT and SP. Asks with `prompt` and `defaultText` (the
// same default on every repeat) until the text typed is numeric and its value lies in
// `lowest`..`highest`. Empty text is Cancel: the result is then empty.
std::optional<std::int32_t> PromptForValue(FrontEnd& ui, const std::string& prompt, const std::string& defaultText,
                                           std::int32_t lowest, std::int32_t highest);

// A prompt's default: "&H" and the value in hex, "&H8000".
std::string HexDefault(std::int32_t value);
