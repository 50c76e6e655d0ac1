#pragma once

#include <cstdint>

struct BlockState;

// How ORG, ENT, SP and the block size can disagree. Change ORG, ENT and SP ask about
// these; the console converter warns about them.

// A block of `blockBytes` loaded at `org` runs past the 64K address space: its last byte
// would lie above 0xFFFF. A block that ends exactly at 0xFFFF fits.
bool BlockPast64K(std::int32_t org, std::int32_t blockBytes);

// SP lies in another 16K page than ORG.
bool SpOutsideOrgPage(const BlockState& state);

// ENT is not the address of one of the block's bytes: below ORG, or at or above
// ORG + block size.
bool EntOutsideBlock(const BlockState& state);

// The first sentences of the questions about them, also the console converter's warnings.
inline constexpr const char* kPast64KText = "New ORG causes block to go over 64K.";
// The same, where ORG is the file's own: the console converter warns at every load.
inline constexpr const char* kLoadedPast64KText =
    "Block goes over 64K: its bytes past FFFF load from 0000 on.";
inline constexpr const char* kSpOutsidePageText = "SP falls outside ORG's 16K page.";
inline constexpr const char* kEntOutsideBlockText = "ENT address falls outside the block.";
