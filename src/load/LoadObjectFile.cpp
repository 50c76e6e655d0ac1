#include "load/LoadObjectFile.h"

#include "load/LoadMessages.h"
#include "load/ReadIntelHex.h"
#include "load/ReadListingDump.h"
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
    doc.state.DumpLineCount = 0;
    doc.state.BlockBytes = 0;
}

void ShowLoadedBlock(Document& doc, std::uint64_t fileLength)
{
    BlockState& s = doc.state;
    s.Org = LineAddress(doc.lines.Line(0));
    s.Ent = s.Org;
    s.Sp = DefaultSp(s.Org);
    for (const Command command : {Command::SaveExeAs, Command::CopySelectionAsText, Command::ChangeOrg,
                                  Command::ChangeEnt, Command::ChangeSp}) {
        doc.frontEnd.SetCommandEnabled(command, true);
    }
    doc.frontEnd.SetStatusText(StatusPanel::File,
                               DisplayName(s.SourcePath) + " (" + std::to_string(fileLength) + " bytes)");
    doc.frontEnd.SetStatusText(StatusPanel::Block, "Block=" + std::to_string(s.BlockBytes) + " bytes ");
    ShowAddresses(doc);
}

}  // namespace

LoadOutcome LoadObjectFile(Document& doc, const std::string& path)
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
    if (reader.IsOpen()) {
        outcome = kind == SourceKind::ObjectFile ? ReadIntelHex(reader, doc) : ReadListingDump(reader, doc);
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
    ShowLoadedBlock(doc, reader.BytesRead());
    if (outcome == ReadOutcome::FinishedWithoutEnd) {
        doc.frontEnd.ShowMessage(kNoEndRecordMessage, Icon::Warning);
    }
    return LoadOutcome::Loaded;
}
