#include "edit/SetBlockValues.h"

#include "edit/BlockChecks.h"
#include "edit/Labels.h"
#include "edit/RebaseBlock.h"
#include "model/Document.h"

std::string NoSuchLabelMessage(const std::string& name, bool blockHasLabels)
{
    return "Label '" + name + "' not found" + (blockHasLabels ? "" : ": only a listing has labels") +
           ". Nothing saved.";
}

bool SetBlockValues(Document& doc, const BlockValues& values)
{
    if (values.entLabel && FindLabel(doc.labels, *values.entLabel) == nullptr) {
        doc.frontEnd.ShowMessage(
            NoSuchLabelMessage(doc.frontEnd.NameInMessage(*values.entLabel), !doc.labels.empty()),
            Icon::Error);
        return false;
    }
    BlockState& state = doc.state;
    if (values.org) {
        RebaseBlock(doc, *values.org);
    }
    // A label's address once ORG has moved it with the block.
    const std::optional<std::int32_t> ent =
        values.entLabel ? std::optional<std::int32_t>(FindLabel(doc.labels, *values.entLabel)->address)
                        : values.ent;
    if (ent) {
        state.Ent = *ent;
    }
    if (values.sp) {
        state.Sp = *values.sp;
    }

    // A block past 64K is told whoever chose ORG: the file's own too, whose later bytes the
    // executable loads from 0000 on.
    if (BlockPast64K(state.Org, state.BlockBytes)) {
        doc.frontEnd.ShowMessage(values.org ? kPast64KText : kLoadedPast64KText, Icon::Warning);
    }
    if ((values.org || values.sp) && SpOutsideOrgPage(state)) {
        doc.frontEnd.ShowMessage(kSpOutsidePageText, Icon::Warning);
    }
    if ((values.org || ent) && EntOutsideBlock(state)) {
        doc.frontEnd.ShowMessage(kEntOutsideBlockText, Icon::Warning);
    }
    if (values.org || ent || values.sp) {
        ShowAddresses(doc);
    }
    return true;
}
