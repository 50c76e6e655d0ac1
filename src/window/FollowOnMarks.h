#pragma once

#include "model/BlockLayout.h"

#include <cstddef>
#include <string>
#include <utility>

// The marks in the dump list's gutter: one on each dump line that does not follow on from
// the bytes before it, its tooltip the sentence the console warns with. For the eye only:
// copying and saving take the dump lines as they are.
class FollowOnMarks {
public:
    // Marks the lines where the runs of `layout` after the first start.
    void Show(BlockLayout layout) { layout_ = std::move(layout); }

    void Clear() { layout_ = {}; }

    bool IsMarked(int line) const { return RunStartingAt(line) > 0; }

    // The tooltip of line `line`'s mark, its lines wrapped; empty for a line without one.
    std::string ToolTip(int line) const;

    // What a screen reader says of line `line`'s mark: the warning, in one line; empty for a
    // line without one.
    std::string Description(int line) const;

private:
    // The run (1 or more) that starts at line `line`, or 0.
    std::size_t RunStartingAt(int line) const;

    BlockLayout layout_;
};
