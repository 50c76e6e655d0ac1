#include "convert/ConsoleFiles.h"

#include "convert/CommandLineConversion.h"
#include "convert/ConsoleFrontEnd.h"
#include "convert/FolderWatch.h"
#include "convert/FollowedFile.h"
#include "convert/ProgramStart.h"
#include "load/SourceFile.h"
#include "model/Document.h"
#include "output/SafeFileWrite.h"

#include <algorithm>
#include <iostream>
#include <sstream>

namespace {

// The watch under way, for the signals that end it.
FolderWatch* g_watch = nullptr;

void StopWatching()
{
    if (g_watch != nullptr) {
        g_watch->Stop();
    }
}

// Writes each line of `text` to `to`, after `prefix`.
void WriteLines(std::ostream& to, const std::string& text, const std::string& prefix)
{
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        to << prefix << line << '\n';
    }
    to << std::flush;
}

int Refuse(const std::string& message, const std::string& usageLine)
{
    std::cerr << message << '\n' << usageLine << '\n';
    return kExitUsage;
}

// The files --watch converts, each with what was last taken of it.
class WatchedFiles {
public:
    WatchedFiles(const std::vector<std::string>& files, ConversionRequest request)
        : request_(std::move(request)), several_(files.size() > 1)
    {
        for (const std::string& file : files) {
            followed_.emplace_back(file);
        }
    }

    // Converts every file, as it is now.
    void ConvertAll()
    {
        for (FollowedFile& file : followed_) {
            file.Take(FileFactsOf(file.Path()));
            Convert(file);
        }
    }

    // Looks at every file and converts each that has changed and been quiet since; returns
    // how soon one that changed but is not quiet yet should be looked at again, if any is.
    std::optional<std::chrono::milliseconds> ConvertChanged()
    {
        std::optional<std::chrono::milliseconds> soonest;
        const FollowedFile::Clock::time_point now = FollowedFile::Clock::now();
        for (FollowedFile& file : followed_) {
            const FollowStep step = file.Look(now);
            if (step.kind == FollowStep::Changed) {
                file.Take(file.Seen());
                Convert(file);
            } else if (step.kind == FollowStep::Settling) {
                soonest = std::min(soonest.value_or(step.wait), step.wait);
            }
        }
        return soonest;
    }

private:
    void Convert(const FollowedFile& file)
    {
        std::ostringstream out;
        std::ostringstream err;
        ConsoleFrontEnd frontEnd(out, err, file.Path());
        Document doc(frontEnd);
        request_.source = file.Path();
        if (several_ && request_.infoOnly) {
            out << EscapedName(file.Path()) << ":\n";
        }
        ConvertFromCommandLine(doc, request_);
        const std::string time = ClockTime(std::chrono::system_clock::now()) + " ";
        WriteLines(std::cerr, err.str(), time);
        WriteLines(std::cout, out.str(), time);
        TakeWhatWasWritten(request_.output ? *request_.output : ExePathFor(file.Path()));
    }

    // An executable converted is written over itself, and may be another watched file's
    // output: what the conversion wrote is no change to convert again.
    void TakeWhatWasWritten(const std::string& output)
    {
        const std::optional<FileFacts> written = FileFactsOf(output);
        for (FollowedFile& file : followed_) {
            const std::optional<FileFacts> facts = FileFactsOf(file.Path());
            if (written && facts && facts->identity.Is(written->identity)) {
                file.Take(facts);
            }
        }
    }

    ConversionRequest request_;
    std::vector<FollowedFile> followed_;
    bool several_;
};

}  // namespace

int ConvertFilesOnConsole(const std::vector<std::string>& files, ConversionRequest request,
                          const std::string& usageLine)
{
    if (files.size() == 1) {
        request.source = files.front();
        return ConvertOnConsole(request, usageLine);
    }
    int status = kExitSaved;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (request.infoOnly) {
            std::cout << (i > 0 ? "\n" : "") << EscapedName(files[i]) << ":\n" << std::flush;
        }
        request.source = files[i];
        status = std::max(status, ConvertOnConsole(request, ""));
    }
    if (status == kExitUsage) {
        std::cerr << usageLine << '\n';
    }
    return status;
}

int WatchFilesOnConsole(const std::vector<std::string>& files, ConversionRequest request,
                        const std::string& usageLine)
{
    // The executable is written again at every change: into a file, never a descriptor.
    if (request.output && DescriptorNamed(*request.output) >= 0) {
        return Refuse("quillet-cli: option '--watch' writes files, not standard output: '" +
                          EscapedName(*request.output) + "'",
                      usageLine);
    }
    FolderWatch watch;
    for (const std::string& file : files) {
        request.source = file;
        if (const std::optional<std::string> refusal = NameRefusal(request)) {
            return Refuse(EscapedName(file) + ": " + *refusal, usageLine);
        }
        std::string reason;
        if (!watch.Add(FolderToWatch(file), reason)) {
            return Refuse("quillet-cli: cannot watch the folder of '" + EscapedName(file) + "': " + reason,
                          usageLine);
        }
    }
    WatchedFiles watched(files, request);
    g_watch = &watch;
    CatchStopSignals(StopWatching);
    watched.ConvertAll();
    std::optional<std::chrono::milliseconds> lookAgain;
    while (watch.Wait(lookAgain) != FolderWatch::Wake::Stopped) {
        lookAgain = watched.ConvertChanged();
    }
    g_watch = nullptr;
    return kExitSaved;
}
