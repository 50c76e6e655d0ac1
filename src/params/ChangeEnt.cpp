#include "params/ChangeEnt.h"

#include "model/Document.h"
#include "model/ShowAddresses.h"
#include "params/BlockChecks.h"
#include "params/ChangeOrg.h"
#include "params/PromptForValue.h"

#include <string>

void ChangeEnt(Document& doc)
{
    const std::optional<std::int32_t> value = PromptForValue(
        doc.ui, "Enter new ENT (prefix HEX numbers with '&H'):", HexDefault(doc.state.Ent), 0, 0xFFFF);
    if (!value) {
        return;
    }
    // ENT keeps the new value whatever the answer: the user may move the block to it.
    doc.state.Ent = *value;
    if (EntOutsideBlock(doc.state) &&
        doc.ui.AskYesNo(std::string(kEntOutsideBlockText) + " Change ORG?", Icon::Question, Answer::Yes) ==
            Answer::Yes) {
        ChangeOrg(doc);
    }
    ShowAddresses(doc);
}
