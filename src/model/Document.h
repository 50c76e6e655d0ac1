#pragma once

#include "model/BlockState.h"
#include "model/DumpList.h"
#include "model/FrontEnd.h"
#include "model/Label.h"

#include <vector>

// The one object every command works on: the dump list, the block state, the labels of a
// listing, and the front end through which the commands talk to the user. (MoveBlock moves
// every member but the front end: one added here is moved there too.)
struct Document {
    explicit Document(FrontEnd& userInterface) : frontEnd(userInterface) {}

    FrontEnd& frontEnd;
    DumpList lines;
    BlockState state;
    // A listing's labels, sorted by address (those at one address in the listing's order);
    // none for an object file or executable. Change ORG moves them with the block.
    std::vector<Label> labels;
};

// Moves the block that `from` holds, its dump lines, block state and labels, into `to` in
// place of its own, as a reload takes a block read aside; `to` keeps its front end, and its
// dump list its observer. `from` is left empty.
void MoveBlock(Document& to, Document& from);

// Fills status panel 3 with ORG, ENT and SP: "Org=&H8000, Ent=&H8000, SP=&HBFFF ".
void ShowAddresses(Document& doc);
