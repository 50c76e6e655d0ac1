#include "model/Document.h"

#include "model/HexText.h"

#include <utility>

void MoveBlock(Document& to, Document& from)
{
    to.lines.TakeLines(from.lines);
    to.state = std::move(from.state);
    from.state = BlockState();
    to.labels = std::move(from.labels);
    from.labels.clear();
}

void ShowAddresses(Document& doc)
{
    const BlockState& s = doc.state;
    doc.frontEnd.SetStatusText(StatusPanel::Addresses,
                               "Org=&H" + FormatHex(static_cast<std::uint32_t>(s.Org)) + ", Ent=&H" +
                                   FormatHex(static_cast<std::uint32_t>(s.Ent)) + ", SP=&H" +
                                   FormatHex(static_cast<std::uint32_t>(s.Sp)) + " ");
}
