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
