#include "model/DumpList.h"

#include <utility>

void DumpList::Clear()
{
    lines_.clear();
    lines_.shrink_to_fit();
    if (observer_ != nullptr) {
        observer_->LinesCleared();
    }
}

bool DumpList::Append(std::string line)
{
    if (Count() >= kMaxLines) {
        return false;
    }
    lines_.push_back(std::move(line));
    if (observer_ != nullptr) {
        observer_->LineAppended(Count() - 1);
    }
    return true;
}

void DumpList::Replace(int index, std::string line)
{
    lines_[static_cast<std::size_t>(index)] = std::move(line);
    if (observer_ != nullptr) {
        observer_->LineReplaced(index);
    }
}

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
