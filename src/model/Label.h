#pragma once

#include <cstdint>
#include <string>

// A label of the block: a name the listing gives an address, as in "reset:  cld" on a
// source line at 0800. The name is the listing's own text, byte for byte: whatever shows
// it escapes what a screen or terminal could take for a command.
struct Label {
    std::string name;
    std::int32_t address = 0;  // 0 to 0xFFFF

    bool operator==(const Label& other) const { return name == other.name && address == other.address; }
};
