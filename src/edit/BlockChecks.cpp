#include "edit/BlockChecks.h"

#include "model/BlockState.h"
#include "model/Page16K.h"

namespace {

// The first address after the block, in 64 bits: ORG may be any 32-bit value typed.
std::int64_t BlockEnd(std::int32_t org, std::int32_t blockBytes)
{
    return std::int64_t{org} + blockBytes;
}

}  // namespace

bool BlockPast64K(std::int32_t org, std::int32_t blockBytes)
{
    return BlockEnd(org, blockBytes) > 0x10000;
}

bool SpOutsideOrgPage(const BlockState& state)
{
    return !SamePage16K(state.Sp, state.Org);
}

bool EntOutsideBlock(const BlockState& state)
{
    return state.Ent < state.Org || state.Ent >= BlockEnd(state.Org, state.BlockBytes);
}
