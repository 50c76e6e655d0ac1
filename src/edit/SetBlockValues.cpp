#include "edit/SetBlockValues.h"

#include "edit/BlockChecks.h"
#include "edit/RebaseBlock.h"
#include "model/Document.h"

void SetBlockValues(Document& doc, const BlockValues& values)
{
    BlockState& state = doc.state;
    if (values.org) {
        RebaseBlock(doc, *values.org);
    }
    if (values.ent) {
        state.Ent = *values.ent;
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
    if ((values.org || values.ent) && EntOutsideBlock(state)) {
        doc.frontEnd.ShowMessage(kEntOutsideBlockText, Icon::Warning);
    }
    if (values.org || values.ent || values.sp) {
        ShowAddresses(doc);
    }
}
