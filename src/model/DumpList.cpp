#include "model/DumpList.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

void DumpList::Clear()
{
    // A buffer the size a full list of Tasm's dump lines takes is kept for the next load,
    // already in memory; anything larger goes back, so that running out of memory can be
    // reported.
    constexpr std::size_t kKept = std::size_t{2} << 20;
    if (capacity_ > kKept) {
        text_ = TextMemory();
        capacity_ = 0;
    }
    used_ = 0;
    textSize_ = 0;
    lines_.clear();  // at most 32767 spans, 256K
    if (observer_ != nullptr) {
        observer_->LinesCleared();
    }
}

void DumpList::TakeLines(DumpList& other)
{
    std::swap(text_, other.text_);
    std::swap(used_, other.used_);
    std::swap(capacity_, other.capacity_);
    std::swap(textSize_, other.textSize_);
    std::swap(lines_, other.lines_);
    other.Clear();
    if (observer_ != nullptr) {
        observer_->LinesCleared();
        for (int i = 0; i < Count(); ++i) {
            observer_->LineAppended(i);
        }
    }
}

void DumpList::Reserve(std::size_t textBytes, int lines)
{
    Room(textBytes);
    lines_.reserve(static_cast<std::size_t>(std::clamp(lines, 0, kMaxLines)));
}

char* DumpList::Grow(std::size_t length)
{
    // Offsets are 32-bit: far more than 32767 lines of 4096 characters need.
    constexpr std::size_t kMaxText = UINT32_MAX;
    if (length > kMaxText - used_) {
        throw std::bad_alloc();
    }
    // Replaced lines leave their old text behind; only the lines as they stand move.
    const std::size_t keep = used_ - textSize_ > textSize_ ? textSize_ : used_;
    const std::size_t capacity =
        std::min(kMaxText, std::max({keep + length, 2 * capacity_, std::size_t{4096}}));
    TextMemory text(capacity);
    if (keep == used_) {
        if (used_ > 0) {
            std::memcpy(text.get(), text_.get(), used_);
        }
    } else {
        std::size_t at = 0;
        for (Span& span : lines_) {
            std::memcpy(text.get() + at, text_.get() + span.offset, span.length);
            span.offset = static_cast<std::uint32_t>(at);
            at += span.length;
        }
    }
    text_ = std::move(text);
    used_ = keep;
    capacity_ = capacity;
    return text_.get() + used_;
}

void DumpList::Replace(int index, std::string_view line)
{
    if (Holds(line)) {
        Replace(index, std::string(line));  // a line of this list: Room may move it
        return;
    }
    Span& span = lines_[static_cast<std::size_t>(index)];
    char* to = text_.get() + span.offset;
    if (line.size() > span.length) {
        // Longer than the text it replaces: written at the end, the old text left unused.
        to = Room(line.size());
        span.offset = static_cast<std::uint32_t>(used_);
        used_ += line.size();
    }
    if (!line.empty()) {
        std::memcpy(to, line.data(), line.size());
    }
    textSize_ = textSize_ - span.length + line.size();
    span.length = static_cast<std::uint32_t>(line.size());
    if (observer_ != nullptr) {
        observer_->LineReplaced(index);
    }
}

void DumpList::OverwriteStart(int index, std::string_view head)
{
    const Span span = lines_[static_cast<std::size_t>(index)];
    const std::size_t width = std::min<std::size_t>(head.size(), span.length);
    if (width > 0) {
        std::memcpy(text_.get() + span.offset, head.data(), width);
    }
    if (observer_ != nullptr) {
        observer_->LineReplaced(index);
    }
}

std::vector<std::string> DumpList::Lines() const
{
    std::vector<std::string> lines;
    lines.reserve(lines_.size());
    for (int i = 0; i < Count(); ++i) {
        lines.emplace_back(Line(i));
    }
    return lines;
}

std::vector<int> CopiedRows(const DumpList& lines, const std::vector<int>& selectedRows)
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
    std::vector<int> rows;
    for (int i = 0; i < count; ++i) {
        if (!any || selected[static_cast<std::size_t>(i)]) {
            rows.push_back(i);
        }
    }
    return rows;
}

std::string SelectionAsText(const DumpList& lines, const std::vector<int>& selectedRows)
{
    const std::vector<int> rows = CopiedRows(lines, selectedRows);
    std::size_t size = 0;
    for (const int row : rows) {
        size += lines.Line(row).size() + 2;
    }
    std::string text;
    text.reserve(size);
    for (const int row : rows) {
        text += lines.Line(row);
        text += "\r\n";
    }
    return text;
}
