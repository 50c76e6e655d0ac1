#pragma once

#include "window/BlockMapGeometry.h"

#include <string>

// What the block map's tooltip says over the pixel column `x`: the address there (that of
// the nearest marker within a few pixels), its 16K page, what of the block loads there,
// and every marker within those pixels: ENT, SP and the places where a dump line does not
// follow on. `block` is null when nothing is loaded. Lines end with "\n".
std::string BlockMapToolTip(const MappedBlock* block, const BlockMapGeometry& geometry, int x);
