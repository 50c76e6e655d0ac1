#include "ui/CommandLineConversion.h"

#include "load/LoadObjectFile.h"
#include "load/SourceFile.h"
#include "model/Document.h"
#include "output/SafeFileWrite.h"
#include "output/WriteExe.h"

#include <csignal>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool IsSameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    return fs::equivalent(fs::u8path(a), fs::u8path(b), ec) && !ec;
}

}  // namespace

ExitStatus ConvertFromCommandLine(Document& doc, const ConversionRequest& request)
{
    if (!FileExists(request.source)) {
        doc.ui.ShowMessage(kNoValidFileMessage, Icon::Error);
        return kExitUsage;
    }
    if (SourceKindOf(request.source) == SourceKind::Other) {
        doc.ui.ShowMessage(kNotObjOrLstMessage, Icon::Error);
        return kExitUsage;
    }
    if (request.output && IsSameFile(*request.output, request.source)) {
        doc.ui.ShowMessage("The output '" + *request.output + "' is the file being converted. Nothing saved.",
                           Icon::Error);
        return kExitUsage;
    }

    if (LoadObjectFile(doc, request.source) != LoadOutcome::Loaded) {
        doc.ui.ShowMessage(kNothingSavedMessage, Icon::Warning);
        return kExitRefused;
    }
    SetBlockValues(doc, request.values);
    if (request.output) {
        doc.state.ExePath = *request.output;
    }
    return WriteExe(doc, true) ? kExitSaved : kExitRefused;
}

void ReportFileSizeLimitAsWriteFailure()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}
