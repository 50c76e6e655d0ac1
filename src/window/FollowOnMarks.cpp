#include "window/FollowOnMarks.h"

#include "convert/FollowOnWarnings.h"
#include "window/TextWrap.h"

#include <algorithm>

std::size_t FollowOnMarks::RunStartingAt(int line) const
{
    const auto& runs = layout_.runs;
    const auto found = std::lower_bound(runs.begin(), runs.end(), line,
                                        [](const DumpLineRun& run, int l) { return run.firstLine < l; });
    return found != runs.begin() && found != runs.end() && found->firstLine == line
               ? static_cast<std::size_t>(found - runs.begin())
               : 0;
}

std::string FollowOnMarks::ToolTip(int line) const
{
    return WrapLines(Description(line));
}

std::string FollowOnMarks::Description(int line) const
{
    const std::size_t run = RunStartingAt(line);
    return run > 0 ? NotFollowingOnText(layout_, run) : std::string();
}
