#include "window/FindEntry.h"

#include "convert/ConsoleFrontEnd.h"
#include "edit/Labels.h"
#include "model/HexText.h"
#include "model/TextUtil.h"

namespace {

constexpr const char* kGoToForms = "Go to takes an address in hex (8010, &H8010 or 0x8010) or a label.";
constexpr const char* kFindForms =
    "Find takes hex bytes (8D 12 D0 or 8D12D0) or text in double quotes (\"READY\").";

bool StartsLabel(char c)
{
    const auto letter = static_cast<unsigned char>(c) | 0x20;
    return (letter >= 'a' && letter <= 'z') || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

std::string_view WithoutHexPrefix(std::string_view text)
{
    const std::string upper = ToUpperAscii(text.substr(0, 2));
    if (upper == "&H" || upper == "0X") {
        return text.substr(2);
    }
    return !text.empty() && text[0] == '$' ? text.substr(1) : text;
}

}  // namespace

GoToTarget ReadGoToEntry(std::string_view text, const std::vector<Label>& labels)
{
    text = TrimSpaces(text);
    if (const Label* label = FindLabel(labels, text)) {
        return {label->address, {}};
    }
    const std::string_view digits = WithoutHexPrefix(text);
    std::uint64_t value = 0;
    bool hex = !digits.empty() && digits.size() <= 8;
    for (const char c : digits) {
        hex = hex && IsHexDigit(c);
        value = value * 16 + static_cast<std::uint64_t>(hex ? HexDigitValue(c) : 0);
    }
    if (hex && value <= 0xFFFF) {
        return {static_cast<std::int32_t>(value), {}};
    }
    if (hex) {
        return {std::nullopt,
                "There is no address " + std::string(digits) + ": addresses run from 0000 to FFFF."};
    }
    if (!text.empty() && StartsLabel(text[0])) {
        return {std::nullopt, "No label '" + EscapedName(std::string(text)) + "' in the block" +
                                  (labels.empty() ? ": only a listing has labels." : ".")};
    }
    return {std::nullopt, kGoToForms};
}

FindPattern ReadFindEntry(std::string_view text)
{
    text = TrimSpaces(text);
    FindPattern pattern;
    if (!text.empty() && text[0] == '"') {
        if (text.size() < 3 || text.back() != '"') {
            pattern.refusal = kFindForms;
            return pattern;
        }
        const std::string_view inside = text.substr(1, text.size() - 2);
        pattern.bytes.assign(inside.begin(), inside.end());
        pattern.shown = "\"" + EscapedName(std::string(inside)) + "\"";
        return pattern;
    }
    // Runs of digits between the separators, each read as pairs.
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] == ' ' || text[at] == ',') {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < text.size() && IsHexDigit(text[end])) {
            ++end;
        }
        const std::size_t length = end - at;
        if (length == 0 || (length > 1 && length % 2 != 0) ||
            (end < text.size() && text[end] != ' ' && text[end] != ',')) {
            return {{}, {}, kFindForms};
        }
        for (; at < end; at += 2) {
            pattern.bytes.push_back(
                static_cast<std::uint8_t>(HexPairValue(text.substr(at, end - at < 2 ? 1 : 2))));
        }
        at = end;
    }
    if (pattern.bytes.empty()) {
        pattern.refusal = kFindForms;
        return pattern;
    }
    for (const std::uint8_t byte : pattern.bytes) {
        char pair[2];
        WriteHexPair(byte, pair);
        pattern.shown += (pattern.shown.empty() ? "" : " ") + std::string(pair, 2);
    }
    return pattern;
}
