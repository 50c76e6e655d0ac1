#pragma once

#include "model/TextMemory.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Told of every change to a dump list, so that a view can mirror it line by line.
class DumpListObserver {
public:
    virtual ~DumpListObserver() = default;
    virtual void LinesCleared() = 0;
    virtual void LineAppended(int index) = 0;
    virtual void LineReplaced(int index) = 0;
};

// The block as the user sees it: ordered dump lines ("8000  C3 00 80 ..."), appended in
// the order a reader meets them, never sorted or merged. This is the only in-memory copy
// of the block: the writer parses the bytes back out of these lines.
//
// The lines' text lies in one growing buffer, each line found by its offset and length,
// so that a block of 32767 dump lines takes two allocations instead of one per line. A
// view that Line() hands out stays valid until the list is next changed.
class DumpList {
public:
    // Line indexes are 16-bit signed values, so the list holds at most this many lines.
    static constexpr int kMaxLines = 32767;

    void SetObserver(DumpListObserver* observer) { observer_ = observer; }

    // Empties the list. Its memory is kept for the next lines up to the 2 MB a full list of
    // Tasm's dump lines takes; more is given back.
    void Clear();

    // Takes the lines of `other` in place of its own, without copying them, leaving `other`
    // empty; the observer hears of it as of a list cleared and the lines appended.
    void TakeLines(DumpList& other);

    // Makes room for `lines` lines holding `textBytes` characters in all, so that a reader
    // that knows the file's size fills the list without moving it. Only a hint: the list
    // grows past it as needed.
    void Reserve(std::size_t textBytes, int lines);

    // Appends a line; returns false, leaving the list as it was, when it is full.
    bool Append(std::string_view line)
    {
        if (Holds(line)) {
            return Append(std::string(line));  // a line of this list: Room may move it
        }
        char* to = Room(line.size());
        if (!line.empty()) {
            std::memcpy(to, line.data(), line.size());
        }
        return AppendWritten(line.size());
    }

    // Appending a line built in place, so that a reader writes a dump line straight into
    // the list: Room(length) gives where its `length` characters go, then AppendWritten
    // (length) adds the line they make. Until then the list is as it was, and stays so if
    // the line is dropped. Room moves the text, so views of lines end there.
    char* Room(std::size_t length)
    {
        return length <= capacity_ - used_ ? text_.get() + used_ : Grow(length);
    }

    // Adds the line written at Room(length); returns false, leaving the list as it was,
    // when it is full. The observer hears of the line now.
    bool AppendWritten(std::size_t length)
    {
        if (Count() >= kMaxLines) {
            return false;
        }
        // Filled in place: a Span built aside and copied whole stalls the store of each line.
        Span& span = lines_.emplace_back();
        span.offset = static_cast<std::uint32_t>(used_);
        span.length = static_cast<std::uint32_t>(length);
        used_ += length;
        textSize_ += length;
        if (observer_ != nullptr) {
            observer_->LineAppended(Count() - 1);
        }
        return true;
    }

    void Replace(int index, std::string_view line);

    // Overwrites the first characters of a line with as much of `head` as the line is
    // long, in place: how Change ORG rewrites the address digits. The observer hears of it
    // as of a replaced line.
    void OverwriteStart(int index, std::string_view head);

    int Count() const { return static_cast<int>(lines_.size()); }

    std::string_view Line(int index) const
    {
        const Span span = lines_[static_cast<std::size_t>(index)];
        return {text_.get() + span.offset, span.length};
    }

    // The characters of every line together, line ends excluded.
    std::size_t TextSize() const { return textSize_; }

    // A copy of every line, for checks that compare whole lists.
    std::vector<std::string> Lines() const;

private:
    struct Span {
        std::uint32_t offset;
        std::uint32_t length;
    };

    // Room for `length` characters where there is none yet: the buffer moves to a larger
    // one, leaving behind the text of replaced lines.
    char* Grow(std::size_t length);

    // True when `text` lies in the buffer: a view of one of the list's own lines.
    bool Holds(std::string_view text) const
    {
        return !text.empty() && text_.get() != nullptr &&
               std::less_equal<const char*>()(text_.get(), text.data()) &&
               std::less<const char*>()(text.data(), text_.get() + capacity_);
    }

    TextMemory text_;
    std::size_t used_ = 0;      // characters of the buffer in use, replaced text included
    std::size_t capacity_ = 0;  // characters the buffer holds
    std::size_t textSize_ = 0;  // characters of the lines as they stand
    std::vector<Span> lines_;
    DumpListObserver* observer_ = nullptr;
};

// The rows a copy takes: the selected rows in list order, or every row when none is
// selected. `selectedRows` may be in any order; rows outside the list are ignored.
std::vector<int> CopiedRows(const DumpList& lines, const std::vector<int>& selectedRows);

// The text that Copy Selection As Text puts on the clipboard: the selected dump lines in
// list order, or every line when none is selected, each followed by CR LF.
// `selectedRows` may be in any order; rows outside the list are ignored.
std::string SelectionAsText(const DumpList& lines, const std::vector<int>& selectedRows);
