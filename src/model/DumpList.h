#pragma once

#include <string>
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
class DumpList {
public:
    // Line indexes are 16-bit signed values, so the list holds at most this many lines.
    static constexpr int kMaxLines = 32767;

    void SetObserver(DumpListObserver* observer) { observer_ = observer; }

    void Clear();

    // Appends a line; returns false, leaving the list as it was, when it is full.
    bool Append(std::string line);

    void Replace(int index, std::string line);

    int Count() const { return static_cast<int>(lines_.size()); }
    const std::string& Line(int index) const { return lines_[static_cast<std::size_t>(index)]; }
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
    DumpListObserver* observer_ = nullptr;
};

// The text that Copy Selection As Text puts on the clipboard: the selected dump lines in
// list order, or every line when none is selected, each followed by CR LF.
// `selectedRows` may be in any order; rows outside the list are ignored.
std::string SelectionAsText(const DumpList& lines, const std::vector<int>& selectedRows);
