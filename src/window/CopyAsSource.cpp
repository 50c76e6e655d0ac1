#include "window/CopyAsSource.h"

#include "model/DumpList.h"
#include "model/HexText.h"

#include <algorithm>
#include <cstdint>

namespace {

// The bytes of a line in the form's notation, separated by ", ".
std::string ByteList(const std::vector<std::uint8_t>& bytes, const char* prefix)
{
    std::string text;
    for (const std::uint8_t byte : bytes) {
        char pair[2];
        WriteHexPair(byte, pair);
        text += (text.empty() ? "" : ", ") + std::string(prefix) + std::string(pair, 2);
    }
    return text;
}

}  // namespace

std::string SelectionAsSource(const DumpList& lines, const std::vector<int>& selectedRows, SourceForm form)
{
    struct SourceLine {
        std::string code;
        std::int32_t address;
    };
    std::vector<SourceLine> source;
    std::size_t widest = 0;
    for (const int row : CopiedRows(lines, selectedRows)) {
        const std::string_view line = lines.Line(row);
        const std::vector<std::uint8_t> bytes = HexToBytes(LineByteText(line));
        if (bytes.empty()) {
            continue;
        }
        source.push_back({form == SourceForm::AssemblerBytes ? ".byte " + ByteList(bytes, "$")
                                                             : ByteList(bytes, "0x") + ",",
                          LineAddress(line)});
        widest = std::max(widest, source.back().code.size());
    }
    std::string text;
    for (const SourceLine& line : source) {
        text += line.code;
        if (form == SourceForm::AssemblerBytes) {
            text += std::string(widest - line.code.size(), ' ') + " ; " +
                    FormatHex4(static_cast<std::uint32_t>(line.address));
        }
        text += "\r\n";
    }
    return text;
}
