#pragma once

#include <cstddef>
#include <string>

struct BlockLayout;
struct Document;

// The warnings about the places where a dump line does not follow on from the bytes
// before it: the executable holds the bytes one after another all the same, so from
// there on they load elsewhere than the dump lines say.

// The warning about where run `run` (1 or more) of `layout` starts, with the line's address
// and the address of the last byte before it: "Dump line at 9000 does not follow on from
// the bytes before it, which end at 800E; the executable holds them one after another."
std::string NotFollowingOnText(const BlockLayout& layout, std::size_t run);

// The most places warned about one by one; one more line gives the number of the rest.
inline constexpr std::size_t kMostFollowOnWarnings = 5;

// Warns, with the warning icon, of each place in the loaded block where a dump line does
// not follow on, up to kMostFollowOnWarnings, then of the number of the rest: one message
// each (a line each on the console; the windows gather them into one box). A block whose
// lines all follow on draws no word.
void WarnWhereDumpLinesDoNotFollowOn(Document& doc);
