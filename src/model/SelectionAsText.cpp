#include "model/SelectionAsText.h"

#include "model/DumpList.h"

std::string SelectionAsText(const DumpList& lines, const std::vector<int>& selectedRows)
{
    const int count = lines.Count();
    std::vector<bool> selected(static_cast<std::size_t>(count), false);
    bool any = false;
    for (const int row : selectedRows) {
        if (row >= 0 && row < count) {
            selected[static_cast<std::size_t>(row)] = true;
            any = true;
        }
    }

    std::size_t size = 0;
    for (int i = 0; i < count; ++i) {
        if (!any || selected[static_cast<std::size_t>(i)]) {
            size += lines.Line(i).size() + 2;
        }
    }
    std::string text;
    text.reserve(size);
    for (int i = 0; i < count; ++i) {
        if (!any || selected[static_cast<std::size_t>(i)]) {
            text += lines.Line(i);
            text += "\r\n";
        }
    }
    return text;
}
