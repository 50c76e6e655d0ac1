#include "params/ChangeSp.h"

#include "model/Document.h"
#include "model/Page16K.h"
#include "model/ShowAddresses.h"
#include "params/BlockChecks.h"
#include "params/PromptForValue.h"

#include <string>

void ChangeSp(Document& doc)
{
    const std::optional<std::int32_t> value =
        PromptForValue(doc.ui, "Enter new SP register value (prefix HEX numbers with '&H'):",
                       HexDefault(doc.state.Sp), 0, 0xFFFF);
    if (!value) {
        return;
    }
    if (!SamePage16K(*value, doc.state.Org) &&
        doc.ui.AskYesNo(std::string(kSpOutsidePageText) + "\r\nDo you REALLY want to change the SP?",
                        Icon::Warning, Answer::No) == Answer::No) {
        return;
    }
    doc.state.Sp = *value;
    ShowAddresses(doc);
}
