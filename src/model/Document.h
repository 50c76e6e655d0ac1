#pragma once

#include "model/BlockState.h"
#include "model/DumpList.h"
#include "model/FrontEnd.h"

// The one object every command works on: the dump list, the block state, and the front
// end through which the commands talk to the user.
struct Document {
    explicit Document(FrontEnd& frontEnd) : ui(frontEnd) {}

    FrontEnd& ui;
    DumpList lines;
    BlockState state;
};
