#pragma once

#include <cstdint>

// The Kestrane handles memory in 16K pages.

// The start of the 16K page that holds address x.
constexpr std::int32_t Page16K(std::int32_t x)
{
    return (x / 16384) * 16384;
}

constexpr bool SamePage16K(std::int32_t a, std::int32_t b)
{
    return Page16K(a) == Page16K(b);
}

// The default SP of a block: the last address of ORG's 16K page.
constexpr std::int32_t DefaultSp(std::int32_t org)
{
    return Page16K(org) + 0x3FFF;
}
