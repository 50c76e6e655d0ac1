#pragma once

#include <string>
#include <vector>

class DumpList;

// The text that Copy Selection As Text puts on the clipboard: the selected dump lines in
// list order, or every line when none is selected, each followed by CR LF.
// `selectedRows` may be in any order; rows outside the list are ignored.
std::string SelectionAsText(const DumpList& lines, const std::vector<int>& selectedRows);
