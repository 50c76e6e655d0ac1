#include "window/DumpListText.h"

#include "load/SourceFile.h"
#include "model/HexText.h"
#include "model/TextUtil.h"

std::string CharacterColumn(std::string_view line)
{
    const std::string_view text = TrimSpaces(LineByteText(line));
    std::string characters(HexByteCount(text), '.');
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const std::uint32_t byte = HexPairAt(text, 3 * i);
        if (byte >= 0x20 && byte < 0x7F) {
            characters[i] = static_cast<char>(byte);
        }
    }
    return characters;
}

std::string EmptyListText(LoadOutcome outcome, const std::string& path)
{
    return outcome == LoadOutcome::Aborted ? kNothingLoadedText
                                           : "No dump lines in " + DisplayName(path) + ".";
}

std::string DumpListDescription(bool empty, const std::string& emptyText)
{
    return empty && !emptyText.empty() ? emptyText + " " + kDumpListDescription : kDumpListDescription;
}
