#include "convert/BlockInfo.h"

#include "convert/ConsoleFrontEnd.h"
#include "model/BlockLayout.h"
#include "model/Document.h"
#include "model/HexText.h"

namespace {

std::string Hex4(std::int64_t value)
{
    return FormatHex4(static_cast<std::uint32_t>(value));
}

// "1 byte", "62 bytes".
std::string Counted(std::int64_t count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::vector<std::string> BlockInfoLines(const Document& doc)
{
    const BlockState& s = doc.state;
    const BlockLayout layout = LayOutBlock(doc.lines, s.Org);
    std::vector<std::string> lines = {
        "ORG: " + Hex4(s.Org),
        "ENT: " + Hex4(s.Ent),
        "SP: " + Hex4(s.Sp),
        "Block: " + Counted(layout.bytes, "byte", "bytes") + " in " +
            Counted(doc.lines.Count(), "dump line", "dump lines"),
    };
    for (const AddressRange& range : LoadedRanges(layout)) {
        lines.push_back("Loads at: " + Hex4(range.first) + "-" + Hex4(range.last));
    }
    for (const Label& label : doc.labels) {
        lines.push_back("Label: " + Hex4(label.address) + " " + EscapedName(label.name));
    }
    return lines;
}
