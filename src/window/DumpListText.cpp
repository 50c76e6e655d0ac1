#include "window/DumpListText.h"

#include "convert/ConsoleFrontEnd.h"
#include "edit/Labels.h"
#include "load/SourceFile.h"
#include "model/HexText.h"
#include "model/TextUtil.h"
#include "window/FollowOnMarks.h"
#include "window/TextWrap.h"

namespace {

// "Labels: start (8000), loop (8007)." for the labels inside the dump line; empty for none.
std::string LabelsText(const std::vector<Label>& labels, std::string_view line)
{
    const std::vector<const Label*> within =
        LabelsWithin(labels, LineAddress(line), static_cast<std::int64_t>(HexByteCount(LineByteText(line))));
    std::string text;
    for (const Label* label : within) {
        text += (text.empty() ? within.size() == 1 ? "Label: " : "Labels: " : ", ") +
                EscapedName(label->name) + " (" + FormatHex4(static_cast<std::uint32_t>(label->address)) +
                ")";
    }
    return text.empty() ? text : text + ".";
}

// The labels inside the line, then its mark's warning, `between` them where it has both.
std::string LabelsAndWarning(const FollowOnMarks& marks, const std::vector<Label>& labels,
                             std::string_view line, int row, const char* between)
{
    const std::string named = LabelsText(labels, line);
    const std::string warning = marks.Description(row);
    return named + (!named.empty() && !warning.empty() ? between : "") + warning;
}

}  // namespace

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

std::string DumpLineToolTip(const FollowOnMarks& marks, const std::vector<Label>& labels,
                            std::string_view line, int row)
{
    return WrapLines(LabelsAndWarning(marks, labels, line, row, "\n"));
}

std::string DumpLineDescription(const FollowOnMarks& marks, const std::vector<Label>& labels,
                                std::string_view line, int row)
{
    return LabelsAndWarning(marks, labels, line, row, " ");
}
