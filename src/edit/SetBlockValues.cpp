#include "edit/SetBlockValues.h"

#include "edit/BlockChecks.h"
#include "edit/RebaseBlock.h"
#include "model/Document.h"

void SetBlockValues(Document& doc, const BlockValues& values)
{
    if (!values.org && !values.ent && !values.sp) {
        return;
    }
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

    if (values.org && BlockPast64K(state.Org, state.BlockBytes)) {
        doc.frontEnd.ShowMessage(kPast64KText, Icon::Warning);
    }
    if ((values.org || values.sp) && SpOutsideOrgPage(state)) {
        doc.frontEnd.ShowMessage(kSpOutsidePageText, Icon::Warning);
    }
    if ((values.org || values.ent) && EntOutsideBlock(state)) {
        doc.frontEnd.ShowMessage(kEntOutsideBlockText, Icon::Warning);
    }
    ShowAddresses(doc);
}
