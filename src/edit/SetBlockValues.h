#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct Document;

// ORG, ENT and SP given up front, as the console converter's --org, --ent and --sp; a
// value left empty keeps the one the load set.
struct BlockValues {
    std::optional<std::int32_t> org;  // 0 and above; re-bases the block as Change ORG does
    std::optional<std::int32_t> ent;  // 0 to 0xFFFF
    std::optional<std::int32_t> sp;   // 0 to 0xFFFF
    // ENT as a label of the listing (FindLabel), in place of `ent`: --ent LABEL.
    std::optional<std::string> entLabel = std::nullopt;
};

// Sets the values without asking anything, then warns (warning icon) once about each
// disagreement, judged on the final values: the block past 64K (whatever ORG: the load's
// own too), SP outside ORG's 16K page (given ORG or SP), ENT outside the block (given ORG
// or ENT). ENT and SP nobody gave are the load's own, which fit its ORG. A label for ENT
// that the block does not have (NoSuchLabelMessage, error icon) sets nothing: the result
// is then false.
bool SetBlockValues(Document& doc, const BlockValues& values);

// A label for ENT that the block does not have; `name` as the front end shows names.
std::string NoSuchLabelMessage(const std::string& name, bool blockHasLabels);
