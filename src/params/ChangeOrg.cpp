#include "params/ChangeOrg.h"

#include "model/Document.h"
#include "model/ShowAddresses.h"
#include "params/BlockChecks.h"
#include "params/ChangeEnt.h"
#include "params/ChangeSp.h"
#include "params/PromptForValue.h"
#include "params/RebaseBlock.h"

#include <limits>
#include <string>

void ChangeOrg(Document& doc)
{
    // The default is where the dump lines put the block, which is what gets moved.
    const std::int32_t old = LinesOrg(doc);
    const std::optional<std::int32_t> value =
        PromptForValue(doc.ui, "Enter new ORG (prefix HEX numbers with '&H'):", HexDefault(old), 0,
                       std::numeric_limits<std::int32_t>::max());
    if (!value) {
        return;
    }
    if (BlockPast64K(*value, doc.state.BlockBytes) &&
        doc.ui.AskYesNo(std::string(kPast64KText) + "\r\nContinue anyway?", Icon::Warning, Answer::Yes) ==
            Answer::No) {
        return;
    }

    RebaseBlock(doc, *value);

    if (SpOutsideOrgPage(doc.state) &&
        doc.ui.AskYesNo(std::string(kSpOutsidePageText) + "\r\nDo you want to change the SP?", Icon::Warning,
                        Answer::No) == Answer::Yes) {
        ChangeSp(doc);
    }
    if (EntOutsideBlock(doc.state) &&
        doc.ui.AskYesNo(std::string(kEntOutsideBlockText) + " Change ENT?", Icon::Question, Answer::Yes) ==
            Answer::Yes) {
        ChangeEnt(doc);
    }
    ShowAddresses(doc);
}
