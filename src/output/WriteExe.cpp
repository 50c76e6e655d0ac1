#include "output/WriteExe.h"

#include "model/Document.h"
#include "output/ExeImage.h"
#include "output/SafeFileWrite.h"

bool WriteExe(Document& doc, bool overwrite)
{
    const std::string& path = doc.state.ExePath;
    if (!overwrite && TargetExists(path) &&
        doc.frontEnd.AskYesNo("File exists. Delete?", Icon::Information, Answer::No) == Answer::No) {
        doc.frontEnd.ShowMessage("Save abort!", Icon::Information);
        return false;
    }

    BusyGuard busy(doc.frontEnd);
    std::string reason;
    ExeImageSource image(doc.state, doc.lines);
    const bool saved = WriteFileSafely(path, image, reason);
    busy.Release();

    const std::string name = doc.frontEnd.NameInMessage(path);
    if (!saved) {
        doc.frontEnd.ShowMessage("Cannot write '" + name + "': " + reason + ". File not saved.",
                                 Icon::Warning);
        return false;
    }
    doc.frontEnd.ShowMessage("File saved as '" + name + "'", Icon::Information);
    return true;
}
