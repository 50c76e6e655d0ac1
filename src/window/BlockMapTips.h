#pragma once

#include "window/BlockMapGeometry.h"

#include <cstdint>
#include <string>
#include <vector>

// The block map's words: its tooltips, what it tells a screen reader, and where the
// cursor the keyboard moves along it stops. `block` is null when nothing is loaded.
// Tooltips are wrapped into lines of about 60 characters, each ending in "\n" but the
// last.

// The name a screen reader gives the map.
inline constexpr const char* kBlockMapName = "Block map";

// What the tooltip over the point (x, y) says. Over the overview: the address drawn in the
// column, its 16K page, what of the block loads there and the listing's label at or before
// it ("putc+2"), and every marker whose own pixels the point is on: ENT's or SP's triangle
// above the strip, the tick on the strip of a place where a dump line does not follow on.
// Over the detail row: the same for the byte of the block there.
std::string BlockMapToolTip(const MappedBlock* block, const BlockMapGeometry& geometry, int x, int y);

// The addresses the keyboard's cursor stops at on the overview, in order: the 16K pages'
// starts and FFFF, where each piece of the block starts and ends, ENT, SP, and where the
// bytes of each dump line that does not follow on load.
std::vector<std::int32_t> CursorStops(const MappedBlock* block);

// The stop after (`step` 1) or before (-1) `address`, or `address` itself where there is
// none.
std::int32_t NextCursorStop(const MappedBlock* block, std::int32_t address, int step);

// The tooltip of the cursor at `address`: that very address, and the markers there alone.
std::string CursorToolTip(const MappedBlock* block, const BlockMapGeometry& geometry, std::int32_t address);

// What a screen reader calls the map, with its cursor at `address`: its name, then what
// the cursor's tooltip says, in sentences on one line ("Block map: 800F, in the 16K page at
// 8000. Byte 16 of the block's 38, ..."). A screen reader speaks it again as the cursor
// moves.
std::string BlockMapSpokenName(const MappedBlock* block, const BlockMapGeometry& geometry,
                               std::int32_t address);

// What the map shows, in words: where the block loads, in how many pieces, ENT and SP,
// and the places where a dump line does not follow on.
std::string BlockMapDescription(const MappedBlock* block);
