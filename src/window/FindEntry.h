#pragma once

#include "model/Label.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What is typed at the Go to and Find Bytes prompts, read. Spaces around an entry do not
// count. What cannot be used is refused with a sentence that says why, for a message box.

// A Go to entry: a label of the block (FindLabel: its own name, or the same in another
// case), or else an address in hex: plain (8010), or after "&H", "0x" or "$", either case.
// A name that is a label wins over the same text read as hex ("add", "beef").
struct GoToTarget {
    std::optional<std::int32_t> address;  // where to go: 0 to 0xFFFF
    std::string refusal;                  // else why not
};
GoToTarget ReadGoToEntry(std::string_view text, const std::vector<Label>& labels);

// A Find Bytes entry: hex bytes, in pairs of digits with or without spaces or commas
// between them ("8D 12 D0", "8D12D0", "8d,12,d0"; a lone digit is a byte of its own,
// "8D 2" is 8D 02), or text in double quotes ("READY"), whose bytes are sought as typed
// (UTF-8 beyond ASCII); a quote inside the quotes is part of the text.
struct FindPattern {
    std::vector<std::uint8_t> bytes;  // what to find; empty when refused
    std::string shown;                // how messages name it: "8D 12 D0", "\"READY\""
    std::string refusal;              // why it cannot be sought
};
FindPattern ReadFindEntry(std::string_view text);
