#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct Document;

// Change ORG, Change ENT and Change SP: the commands that set the values the executable's
// header carries. Each prompts for a number until it gets one in range (empty text is
// Cancel and changes nothing), then checks the three values against each other and offers
// to run another of the commands where they disagree, so the commands nest:
//
//   Change ENT --ENT outside the block--> Change ORG
//   Change ORG --SP outside ORG's 16K page--> Change SP
//              --ENT outside the block-->    Change ENT
//
// Each nested command runs to its end, status panel 3 included, before the outer one goes
// on; how deep they nest is up to the user's answers.

// Prompts for a new load address and re-bases the block to it, rewriting the address
// digits of every dump line; then offers to fix SP and ENT where they no longer fit.
void ChangeOrg(Document& doc);

// Prompts for a new entry address, a number or a label of the listing; offers to change
// ORG when it falls outside the block.
void ChangeEnt(Document& doc);

// Prompts for a new stack pointer; asks before accepting one outside ORG's 16K page.
void ChangeSp(Document& doc);

// The ORG of the binary file `name` being opened, which holds no address of its own: asked
// for as Change ORG asks ("Enter ORG of GAME.BIN (prefix HEX numbers with '&H'):", the
// block's ORG as it stands the default; asked again until the text is a number from 0 up).
// Nothing on Cancel.
std::optional<std::int32_t> AskBinaryOrg(Document& doc, const std::string& name);
