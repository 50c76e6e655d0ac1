#pragma once

#include "model/BlockState.h"
#include "model/DumpList.h"
#include "model/FrontEnd.h"

// The one object every command works on: the dump list, the block state, and the front
// end through which the commands talk to the user. (MoveBlock moves every member but the
// front end: one added here is moved there too.)
struct Document {
    explicit Document(FrontEnd& userInterface) : frontEnd(userInterface) {}

    FrontEnd& frontEnd;
    DumpList lines;
    BlockState state;
};

// Moves the block that `from` holds, its dump lines and block state, into `to` in place of
// its own, as a reload takes a block read aside; `to` keeps its front end, and its dump list
// its observer. `from` is left empty.
void MoveBlock(Document& to, Document& from);

// Fills status panel 3 with ORG, ENT and SP: "Org=&H8000, Ent=&H8000, SP=&HBFFF ".
void ShowAddresses(Document& doc);
