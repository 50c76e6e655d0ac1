#include "output/WriteExe.h"

#include "model/BlockBytes.h"
#include "model/Document.h"
#include "output/ExeImage.h"
#include "output/SafeFileWrite.h"

namespace {

bool HoldsAnyByte(const DumpList& lines)
{
    BlockBytesCursor at;
    std::uint8_t byte = 0;
    return WriteBlockBytes(lines, at, &byte, &byte + 1) != &byte;
}

}  // namespace

bool WriteExe(Document& doc, bool overwrite)
{
    if (!HoldsAnyByte(doc.lines)) {
        doc.frontEnd.ShowMessage(kNoBytesMessage, Icon::Warning);
        return false;
    }
    const std::string& path = doc.state.ExePath;
    if (!overwrite && TargetExists(path) &&
        doc.frontEnd.AskYesNo("File exists. Delete?", Icon::Information, Answer::No) == Answer::No) {
        doc.frontEnd.ShowMessage("Save abort!", Icon::Information);
        return false;
    }

    BusyGuard busy(doc.frontEnd);
    std::string reason;
    ExeImageSource image(doc.state, doc.lines);
    const WriteOutcome outcome = WriteFileSafely(path, image, doc.state.SourceFile, reason);
    busy.Release();

    const std::string name = doc.frontEnd.NameInMessage(path);
    switch (outcome) {
        case WriteOutcome::Written:
            doc.frontEnd.ShowMessage("File saved as '" + name + "'", Icon::Information);
            return true;
        case WriteOutcome::WrittenElsewhere:
            doc.frontEnd.ShowMessage(reason.empty()
                                         ? FolderMovedMessage(name)
                                         : "File saved as '" + doc.frontEnd.NameInMessage(reason) + "'",
                                     reason.empty() ? Icon::Warning : Icon::Information);
            return true;
        case WriteOutcome::FolderNotSynced:
            doc.frontEnd.ShowMessage(FolderNotSyncedMessage(name, reason), Icon::Warning);
            return false;
        case WriteOutcome::Failed:
            doc.frontEnd.ShowMessage("Cannot write '" + name + "': " + reason + ". File not saved.",
                                     Icon::Warning);
            return false;
        case WriteOutcome::WouldHitKept:
            doc.frontEnd.ShowMessage(OutputIsTheSourceMessage(name), Icon::Warning);
            return false;
    }
    return false;
}

std::string OutputIsTheSourceMessage(const std::string& name)
{
    return "The output '" + name + "' is the file being converted. Nothing saved.";
}

std::string FolderNotSyncedMessage(const std::string& name, const std::string& reason)
{
    return "File saved as '" + name + "', but its folder could not be synced: " + reason +
           ". The file may not survive a crash.";
}

std::string FolderMovedMessage(const std::string& name)
{
    return "File saved, but its folder was moved while it was written: '" + name + "' does not lead to it.";
}
