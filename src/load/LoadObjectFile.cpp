#include "load/LoadObjectFile.h"

#include "load/LoadMessages.h"
#include "load/ReadExecutable.h"
#include "load/ReadListingDump.h"
#include "load/ReadObjectFile.h"
#include "load/SourceFile.h"
#include "load/TextLineReader.h"
#include "model/Document.h"
#include "model/HexText.h"
#include "model/Page16K.h"

namespace {

void ResetForLoad(Document& doc)
{
    for (const Command command : {Command::SaveExeAs, Command::ChangeOrg, Command::ChangeEnt,
                                  Command::ChangeSp, Command::CopySelectionAsText}) {
        doc.frontEnd.SetCommandEnabled(command, false);
    }
    for (const StatusPanel panel : {StatusPanel::File, StatusPanel::Block, StatusPanel::Addresses}) {
        doc.frontEnd.SetStatusText(panel, "");
    }
    doc.lines.Clear();
    doc.labels.clear();
    doc.state.DumpLineCount = 0;
    doc.state.BlockBytes = 0;
    doc.state.SourceFile = {};
    doc.state.ExeHeader.clear();
}

// ORG, ENT and SP are an executable's own, and so is its header, kept for the save; for a
// listing or object file ORG is the first dump line's address, ENT is ORG and SP the end
// of ORG's 16K page, and the file read is one the save must never replace.
void ShowLoadedBlock(Document& doc, const TextLineReader& reader, const ExeHeaderValues* header)
{
    BlockState& s = doc.state;
    s.Org = LineAddress(doc.lines.Line(0));
    s.Ent = header != nullptr ? header->ent : s.Org;
    s.Sp = header != nullptr ? header->sp : DefaultSp(s.Org);
    s.SourceFile = header != nullptr ? SourceFileIdentity() : reader.SourceIdentity();
    s.ExeHeader = header != nullptr ? header->bytes : std::vector<std::uint8_t>();
    for (const Command command : {Command::SaveExeAs, Command::CopySelectionAsText, Command::ChangeOrg,
                                  Command::ChangeEnt, Command::ChangeSp}) {
        doc.frontEnd.SetCommandEnabled(command, true);
    }
    doc.frontEnd.SetStatusText(
        StatusPanel::File, DisplayName(s.SourcePath) + " (" + std::to_string(reader.BytesRead()) + " bytes)");
    doc.frontEnd.SetStatusText(StatusPanel::Block, "Block=" + std::to_string(s.BlockBytes) + " bytes ");
    ShowAddresses(doc);
}

}  // namespace

LoadOutcome LoadObjectFile(Document& doc, const std::string& path, std::int32_t binaryOrg)
{
    ResetForLoad(doc);
    doc.state.SourcePath = path;

    const SourceKind kind = SourceKindOf(path);
    if (kind == SourceKind::Other) {
        return LoadOutcome::NotObjectFile;
    }
    doc.state.ExePath = ExePathFor(path);

    TextLineReader reader(path);
    ReadOutcome outcome = ReadOutcome::Failed;
    ExeHeaderValues header;
    if (reader.IsOpen()) {
        switch (kind) {
            case SourceKind::ObjectFile:
                outcome = ReadObjectFile(reader, doc);
                break;
            case SourceKind::Listing:
                outcome = ReadListingDump(reader, doc);
                break;
            case SourceKind::Executable:
                outcome = ReadExecutable(reader, doc, header);
                break;
            case SourceKind::Binary:
                outcome = ReadBinaryFile(reader, doc, binaryOrg);
                break;
            case SourceKind::Other:
                break;  // never opened: see above
        }
    }
    if (outcome == ReadOutcome::Failed) {
        doc.lines.Clear();
        doc.frontEnd.ShowMessage(CannotReadMessage(doc.frontEnd.NameInMessage(path), reader.ErrorText()),
                                 Icon::Warning);
        return LoadOutcome::Aborted;
    }
    if (outcome == ReadOutcome::Aborted) {
        return LoadOutcome::Aborted;
    }
    if (doc.lines.Count() == 0) {
        return LoadOutcome::NoDumpLines;
    }
    ShowLoadedBlock(doc, reader, kind == SourceKind::Executable ? &header : nullptr);
    if (outcome == ReadOutcome::FinishedWithoutEnd) {
        doc.frontEnd.ShowMessage(kNoEndRecordMessage, Icon::Warning);
    }
    return LoadOutcome::Loaded;
}
