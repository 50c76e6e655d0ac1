#pragma once

#include "model/Label.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Looking up a listing's labels, and moving them with the block. `labels` is sorted by
// address, as the document holds them.

// The label named `name`: the first of that very name; else the first whose name differs
// from it only in the case of ASCII letters ("START" finds "start"). Null when none has it.
const Label* FindLabel(const std::vector<Label>& labels, std::string_view name);

// A label and how far past it an address lies.
struct LabelPlace {
    const Label* label = nullptr;
    std::int32_t offset = 0;
};

// The label at `address`, or else the nearest before it (the first of several at one
// address); none when no label lies at or before it.
std::optional<LabelPlace> LabelAtOrBefore(const std::vector<Label>& labels, std::int32_t address);

// "putc" at the label's own address, "putc+2" two bytes on (the distance in decimal).
std::string LabelPlaceText(const LabelPlace& place);

// The labels of the `count` addresses from `first` on, wrapping past FFFF to 0000, in
// the order of those addresses.
std::vector<const Label*> LabelsWithin(const std::vector<Label>& labels, std::int32_t first,
                                       std::int64_t count);

// Moves every label by `delta`, as Change ORG moves the dump lines: to the low 16 bits of
// its address + `delta`; then sorts them by address again.
void MoveLabels(std::vector<Label>& labels, std::int64_t delta);
