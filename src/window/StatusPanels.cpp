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

PanelWidths PanelWidthsWithin(const PanelWidths& usual, const PanelWidths& needed, int room)
{
    room = std::max(room, 0);
    const int block = std::max(usual.block, needed.block);
    const int addresses = std::max(usual.addresses, needed.addresses);
    const int leastFile = std::min(usual.file, needed.file);
    if (room - block - addresses >= leastFile) {
        return {room - block - addresses, block, addresses};
    }
    // Panels 2 and 3 give up what they have above their usual widths, each in proportion.
    const int above = block - usual.block + addresses - usual.addresses;
    const int shortfall = leastFile + block + addresses - room;
    if (shortfall <= above) {
        const int blockGives =
            static_cast<int>(std::int64_t{shortfall} * (block - usual.block) / std::max(above, 1));
        return {leastFile, block - blockGives, room - leastFile - (block - blockGives)};
    }
    // Narrower than the usual widths: all three alike.
    const int least = leastFile + usual.block + usual.addresses;
    const auto narrowed = [room, least](int width) {
        return static_cast<int>(std::int64_t{width} * room / std::max(least, 1));
    };
    const int file = narrowed(leastFile);
    const int narrowedBlock = narrowed(usual.block);
    return {file, narrowedBlock, room - file - narrowedBlock};
}
