#include "edit/AddressCommands.h"

#include "edit/BlockChecks.h"
#include "edit/NumericEntry.h"
#include "edit/RebaseBlock.h"
#include "model/Document.h"
#include "model/HexText.h"
#include "model/Page16K.h"

#include <limits>
#include <optional>
#include <string>

namespace {

// A prompt's default: "&H" and the value in hex, "&H8000".
std::string HexDefault(std::int32_t value)
{
    return "&H" + FormatHex(static_cast<std::uint32_t>(value));
}

}  // namespace

void ChangeOrg(Document& doc)
{
    // The default is where the dump lines put the block, which is what gets moved.
    const std::int32_t old = LinesOrg(doc);
    const std::optional<std::int32_t> value =
        PromptForValue(doc.frontEnd, "Enter new ORG (prefix HEX numbers with '&H'):", HexDefault(old), 0,
                       std::numeric_limits<std::int32_t>::max());
    if (!value) {
        return;
    }
    if (BlockPast64K(*value, doc.state.BlockBytes) &&
        doc.frontEnd.AskYesNo(std::string(kPast64KText) + "\r\nContinue anyway?", Icon::Warning,
                              Answer::Yes) == Answer::No) {
        return;
    }

    RebaseBlock(doc, *value);

    if (SpOutsideOrgPage(doc.state) &&
        doc.frontEnd.AskYesNo(std::string(kSpOutsidePageText) + "\r\nDo you want to change the SP?",
                              Icon::Warning, Answer::No) == Answer::Yes) {
        ChangeSp(doc);
    }
    if (EntOutsideBlock(doc.state) &&
        doc.frontEnd.AskYesNo(std::string(kEntOutsideBlockText) + " Change ENT?", Icon::Question,
                              Answer::Yes) == Answer::Yes) {
        ChangeEnt(doc);
    }
    ShowAddresses(doc);
}

void ChangeEnt(Document& doc)
{
    // A listing's label stands for its address.
    const std::optional<std::int32_t> value = PromptForValue(
        doc.frontEnd, "Enter new ENT (prefix HEX numbers with '&H'):", HexDefault(doc.state.Ent), 0, 0xFFFF,
        &doc.labels);
    if (!value) {
        return;
    }
    // ENT keeps the new value whatever the answer: the user may move the block to it.
    doc.state.Ent = *value;
    if (EntOutsideBlock(doc.state) &&
        doc.frontEnd.AskYesNo(std::string(kEntOutsideBlockText) + " Change ORG?", Icon::Question,
                              Answer::Yes) == Answer::Yes) {
        ChangeOrg(doc);
    }
    ShowAddresses(doc);
}

void ChangeSp(Document& doc)
{
    const std::optional<std::int32_t> value = PromptForValue(
        doc.frontEnd, "Enter new SP register value (prefix HEX numbers with '&H'):", HexDefault(doc.state.Sp),
        0, 0xFFFF);
    if (!value) {
        return;
    }
    if (!SamePage16K(*value, doc.state.Org) &&
        doc.frontEnd.AskYesNo(std::string(kSpOutsidePageText) + "\r\nDo you REALLY want to change the SP?",
                              Icon::Warning, Answer::No) == Answer::No) {
        return;
    }
    doc.state.Sp = *value;
    ShowAddresses(doc);
}

std::optional<std::int32_t> AskBinaryOrg(Document& doc, const std::string& name)
{
    return PromptForValue(doc.frontEnd, "Enter ORG of " + name + " (prefix HEX numbers with '&H'):",
                          HexDefault(doc.state.Org), 0, std::numeric_limits<std::int32_t>::max());
}
