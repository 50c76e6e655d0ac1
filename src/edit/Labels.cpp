#include "edit/Labels.h"

#include "model/TextUtil.h"

#include <algorithm>

namespace {

bool Before(const Label& label, std::int32_t address)
{
    return label.address < address;
}

}  // namespace

const Label* FindLabel(const std::vector<Label>& labels, std::string_view name)
{
    const auto exact =
        std::find_if(labels.begin(), labels.end(), [name](const Label& label) { return label.name == name; });
    if (exact != labels.end()) {
        return &*exact;
    }
    const std::string upper = ToUpperAscii(name);
    const auto anyCase = std::find_if(labels.begin(), labels.end(), [&upper](const Label& label) {
        return label.name.size() == upper.size() && ToUpperAscii(label.name) == upper;
    });
    return anyCase != labels.end() ? &*anyCase : nullptr;
}

std::optional<LabelPlace> LabelAtOrBefore(const std::vector<Label>& labels, std::int32_t address)
{
    const auto after = std::upper_bound(labels.begin(), labels.end(), address,
                                        [](std::int32_t a, const Label& label) { return a < label.address; });
    if (after == labels.begin()) {
        return std::nullopt;
    }
    // The first of the labels at the nearest address.
    const auto first = std::lower_bound(labels.begin(), after, (after - 1)->address, Before);
    return LabelPlace{&*first, address - first->address};
}

std::string LabelPlaceText(const LabelPlace& place)
{
    return place.offset == 0 ? place.label->name : place.label->name + "+" + std::to_string(place.offset);
}

std::vector<const Label*> LabelsWithin(const std::vector<Label>& labels, std::int32_t first,
                                       std::int64_t count)
{
    std::vector<const Label*> within;
    const auto take = [&](std::int64_t from, std::int64_t end) {
        for (auto at =
                 std::lower_bound(labels.begin(), labels.end(), static_cast<std::int32_t>(from), Before);
             at != labels.end() && at->address < end; ++at) {
            within.push_back(&*at);
        }
    };
    const std::int64_t end = std::int64_t{first} + std::min<std::int64_t>(count, 0x10000);
    take(first, std::min<std::int64_t>(end, 0x10000));
    if (end > 0x10000) {
        take(0, end - 0x10000);
    }
    return within;
}

void MoveLabels(std::vector<Label>& labels, std::int64_t delta)
{
    for (Label& label : labels) {
        // Converting to unsigned keeps the low bits of a negative sum as well.
        label.address = static_cast<std::int32_t>(static_cast<std::uint64_t>(label.address + delta) & 0xFFFF);
    }
    std::stable_sort(labels.begin(), labels.end(),
                     [](const Label& a, const Label& b) { return a.address < b.address; });
}
