#pragma once

#include <string>
#include <vector>

class DumpList;

// What Copy As Assembler Bytes and Copy As C Array put on the clipboard: the bytes of the
// dump lines a copy takes (CopiedRows: the selected lines, or all of them), one line of
// source for each dump line that holds bytes, each ending in CR LF as Copy Selection As
// Text's lines do. The bytes are those the executable holds (HexToBytes of the line).

enum class SourceForm {
    // The assembler's byte directive, the line's address as a comment, the comments of
    // the lines copied lined up:  .byte $F3, $31, $FF ; 8000
    AssemblerBytes,
    // The items of a C array:  0xF3, 0x31, 0xFF,
    CArray,
};

std::string SelectionAsSource(const DumpList& lines, const std::vector<int>& selectedRows, SourceForm form);
