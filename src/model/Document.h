#pragma once

#include "model/BlockState.h"
#include "model/DumpList.h"
#include "model/FrontEnd.h"

// The one object every command works on: the dump list, the block state, and the front
// end through which the commands talk to the user.
struct Document {
    explicit Document(FrontEnd& userInterface) : frontEnd(userInterface) {}

    FrontEnd& frontEnd;
    DumpList lines;
    BlockState state;
};

// Fills status panel 3 with ORG, ENT and SP: "Org=&H8000, Ent=&H8000, SP=&HBFFF ".
void ShowAddresses(Document& doc);
