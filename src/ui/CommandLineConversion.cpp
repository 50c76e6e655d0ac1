#include "ui/CommandLineConversion.h"

#include "load/LoadObjectFile.h"
#include "load/SourceFile.h"
#include "model/Document.h"
#include "output/SafeFileWrite.h"
#include "output/WriteExe.h"

#include <csignal>
#include <filesystem>
#include <new>
#include <system_error>

#ifndef _WIN32
#include <signal.h>
#endif

namespace fs = std::filesystem;

namespace {

bool IsSameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    return fs::equivalent(fs::u8path(a), fs::u8path(b), ec) && !ec;
}

ExitStatus Convert(Document& doc, const ConversionRequest& request)
{
    const std::string& source = request.source;
    if (!FileExists(source)) {
        doc.ui.ShowMessage(kNoValidFileMessage, Icon::Error);
        return kExitUsage;
    }
    if (SourceKindOf(source) == SourceKind::Other) {
        doc.ui.ShowMessage(kNotObjOrLstMessage, Icon::Error);
        return kExitUsage;
    }
    const std::string output = request.output ? *request.output : ExePathFor(source);
    if (NamesFolder(output)) {
        doc.ui.ShowMessage("The output '" + output + "' is a folder. Nothing saved.", Icon::Error);
        return kExitUsage;
    }
    if (IsSameFile(output, source)) {
        doc.ui.ShowMessage("The output '" + output + "' is the file being converted. Nothing saved.", Icon::Error);
        return kExitUsage;
    }

    switch (LoadObjectFile(doc, source)) {
    case LoadOutcome::Loaded:
        break;
    case LoadOutcome::NoDumpLines:
    case LoadOutcome::NotObjectFile:
        doc.ui.ShowMessage(kNoDumpLinesMessage, Icon::Warning);
        return kExitRefused;
    case LoadOutcome::Aborted:
        doc.ui.ShowMessage(kNothingSavedMessage, Icon::Warning);  // the reader has said why
        return kExitRefused;
    }
    SetBlockValues(doc, request.values);
    doc.state.ExePath = output;
    return WriteExe(doc, true) ? kExitSaved : kExitRefused;
}

}  // namespace

ExitStatus ConvertFromCommandLine(Document& doc, const ConversionRequest& request)
{
    try {
        return Convert(doc, request);
    } catch (const std::bad_alloc&) {
        doc.lines.Clear();  // gives the memory back, so that the message can be shown
        doc.ui.ShowMessage(kOutOfMemoryMessage, Icon::Warning);
        return kExitRefused;
    }
}

namespace {

void RemoveTemporaryFileAndEnd(int signal)
{
    RemoveTemporaryFileNow();
    // The handler was reset to the default on entry: raised again, the signal ends the
    // program as it would have without us, once this handler returns.
    std::raise(signal);
}

}  // namespace

void SetUpSignals()
{
#ifdef _WIN32
    std::signal(SIGINT, RemoveTemporaryFileAndEnd);
    std::signal(SIGTERM, RemoveTemporaryFileAndEnd);
#else
    struct sigaction action = {};
    action.sa_handler = RemoveTemporaryFileAndEnd;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}
