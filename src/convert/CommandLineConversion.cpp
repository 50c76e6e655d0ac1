#include "convert/CommandLineConversion.h"

#include "convert/BlockInfo.h"
#include "convert/FollowOnWarnings.h"
#include "load/LoadObjectFile.h"
#include "load/PathQuestions.h"
#include "load/SourceFile.h"
#include "model/Document.h"
#include "output/WriteExe.h"

#include <new>

namespace {

// An output that is a folder, or that is or may be the source itself, is refused before
// anything is read.
bool OutputIsUsable(Document& doc, const std::string& output, const std::string& source)
{
    if (NamesFolder(output)) {
        doc.frontEnd.ShowMessage(
            "The output '" + doc.frontEnd.NameInMessage(output) + "' is a folder. Nothing saved.",
            Icon::Error);
        return false;
    }
    if (OutputWouldReplaceSource(output, source)) {
        doc.frontEnd.ShowMessage(OutputIsTheSourceMessage(doc.frontEnd.NameInMessage(output)), Icon::Error);
        return false;
    }
    return true;
}

ExitStatus Convert(Document& doc, const ConversionRequest& request)
{
    const std::string& source = request.source;
    if (NothingToRead(source)) {
        doc.frontEnd.ShowMessage(kNoValidFileMessage, Icon::Error);
        return kExitUsage;
    }
    if (const std::optional<std::string> refusal = NameRefusal(request)) {
        doc.frontEnd.ShowMessage(*refusal, Icon::Error);
        return kExitUsage;
    }
    const std::string output = request.output ? *request.output : ExePathFor(source);
    if (!request.infoOnly && !OutputIsUsable(doc, output, source)) {
        return kExitUsage;
    }

    switch (LoadObjectFile(doc, source, request.values.org.value_or(0))) {
        case LoadOutcome::Loaded:
            break;
        case LoadOutcome::NoDumpLines:
        case LoadOutcome::NotObjectFile:
            doc.frontEnd.ShowMessage(kNoDumpLinesMessage, Icon::Warning);
            return kExitRefused;
        case LoadOutcome::Aborted:
            doc.frontEnd.ShowMessage(kNothingSavedMessage, Icon::Warning);  // the reader has said why
            return kExitRefused;
    }
    WarnWhereDumpLinesDoNotFollowOn(doc);
    if (!SetBlockValues(doc, request.values)) {
        return kExitUsage;  // --ent names no label of the block
    }
    if (request.infoOnly) {
        for (const std::string& line : BlockInfoLines(doc)) {
            doc.frontEnd.ShowMessage(line, Icon::Information);
        }
        return kExitSaved;
    }
    doc.state.ExePath = output;
    return WriteExe(doc, true) ? kExitSaved : kExitRefused;
}

}  // namespace

std::optional<std::string> NameRefusal(const ConversionRequest& request)
{
    switch (SourceKindOf(request.source)) {
        case SourceKind::Other:
            return kNotObjOrLstMessage;
        case SourceKind::Binary:
            return request.values.org ? std::nullopt
                                      : std::optional<std::string>(request.noLoadAddressMessage);
        default:
            return std::nullopt;
    }
}

ExitStatus ConvertFromCommandLine(Document& doc, const ConversionRequest& request)
{
    try {
        return Convert(doc, request);
    } catch (const std::bad_alloc&) {
        doc.lines.Clear();  // gives the memory back, so that the message can be shown
        doc.frontEnd.ShowMessage(kOutOfMemoryMessage, Icon::Warning);
        return kExitRefused;
    }
}
