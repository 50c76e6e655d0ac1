#pragma once

#include "model/Label.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class FrontEnd;

// The numbers a person types for ORG, ENT and SP.

// Text typed at an ORG, ENT or SP prompt: a decimal number, or "&H" followed by hex digits
// (prefix and digits in either case), with spaces allowed around it. "&HFFFF" is 65535:
// values are never negative. A sign, any other text, and a value that does not fit a 32-bit
// signed integer are not numeric: the result is empty.
std::optional<std::int32_t> NumericEntryValue(std::string_view text);

// The same for a command-line option value, which may also be written "0x" + hex digits.
std::optional<std::int32_t> NumericOptionValue(std::string_view text);

// The prompt loop of Change ORG, ENT and SP. Asks with `prompt` and `defaultText` (the
// same default on every repeat) until the text typed is numeric and its value lies in
// `lowest`..`highest`. Empty text is Cancel: the result is then empty. Given `labels`, text
// that is not numeric may also name one of them (FindLabel): its address is the value.
std::optional<std::int32_t> PromptForValue(FrontEnd& frontEnd, const std::string& prompt,
                                           const std::string& defaultText, std::int32_t lowest,
                                           std::int32_t highest, const std::vector<Label>* labels = nullptr);
