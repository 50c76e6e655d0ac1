#include "window/StatusPanels.h"

#include <algorithm>
#include <cstdint>

namespace {

const std::array<PanelItem, 3> kPanels{{
    {StatusPanel::File, "LEN", "LST File Lenght", "File", "The file loaded, and its length in bytes"},
    {StatusPanel::Block, "BYT", "Block Bytes", "Block size", "The bytes the block holds"},
    {StatusPanel::Addresses, "ORGENT", "", "ORG, ENT and SP",
     "Where the block loads (ORG), where it starts (ENT), and its initial stack pointer (SP)"},
}};

// The widest text of each panel that holds a number: a listing's largest block, and ORG,
// ENT and SP of four digits each, the widest hex digit in every place.
const char* const kWidestBlockText = "Block=524272 bytes ";

std::string WidestAddressesText(char widest)
{
    const std::string four(4, widest);
    return "Org=&H" + four + ", Ent=&H" + four + ", SP=&H" + four + " ";
}

}  // namespace

const std::array<PanelItem, 3>& StatusPanels()
{
    return kPanels;
}

PanelWidths PanelWidthsFor(const std::function<int(const std::string& text)>& widthFor,
                           const std::function<int(char c)>& characterWidth)
{
    char widest = '0';
    for (const char digit : std::string("0123456789ABCDEF")) {
        if (characterWidth(digit) > characterWidth(widest)) {
            widest = digit;
        }
    }
    PanelWidths widths;
    widths.block = std::max(widthFor(kPanels[1].designText), widthFor(kWidestBlockText));
    widths.addresses = widthFor(WidestAddressesText(widest));
    widths.file = std::max(widthFor(kPanels[0].designText), widths.addresses);
    return widths;
}

std::string PanelSpokenName(const PanelItem& item, const std::string& text)
{
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string::npos ? item.name : std::string(item.name) + ": " + text.substr(0, last + 1);
}

std::string PanelToolTip(const PanelItem& item, const std::string& text, bool cut)
{
    return cut ? text : item.designText;
}

PanelWidths PanelWidthsWithin(const PanelWidths& widths, int room)
{
    const int needed = widths.file + widths.block + widths.addresses;
    if (room >= needed || needed <= 0) {
        return widths;
    }
    const auto narrowed = [room, needed](int width) {
        return static_cast<int>(std::int64_t{width} * std::max(room, 0) / needed);
    };
    return {narrowed(widths.file), narrowed(widths.block), narrowed(widths.addresses)};
}
