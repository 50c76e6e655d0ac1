#pragma once

#include <cstdint>
#include <optional>

struct Document;

// ORG, ENT and SP given up front, as the console converter's --org, --ent and --sp; a
// value left empty keeps the one the load set.
struct BlockValues {
    std::optional<std::int32_t> org;  // 0 and above; re-bases the block as Change ORG does
    std::optional<std::int32_t> ent;  // 0 to 0xFFFF
    std::optional<std::int32_t> sp;   // 0 to 0xFFFF
};

// Sets the values without asking anything, then warns (warning icon) once about each
// disagreement, judged on the final values: the block past 64K (whatever ORG: the load's
// own too), SP outside ORG's 16K page (given ORG or SP), ENT outside the block (given ORG
// or ENT). ENT and SP nobody gave are the load's own, which fit its ORG.
void SetBlockValues(Document& doc, const BlockValues& values);
