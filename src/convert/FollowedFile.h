#pragma once

#include "load/TextLineReader.h"

#include <chrono>
#include <optional>
#include <string>

// A file that was read and is followed as it is written again: by the window, which loads
// it again, and by quillet-cli --watch, which converts it again. Assemblers write a file
// in several steps, or write a new one and rename it over the old: so the name is followed,
// not the file first read, and a change is taken only once the file has stayed as it is
// for a moment. Whoever follows the file looks at it when the system says something
// changed in its folder, and again when Look asks for it: never more often.

// What a look at the followed file found.
struct FollowStep {
    enum Kind {
        Unchanged,  // as it was taken: nothing to do
        Settling,   // changed, but not quiet for long enough yet: look again in `wait`
        Changed,    // changed, and quiet since: take it now (Take), then read it
    };
    Kind kind = Unchanged;
    std::chrono::milliseconds wait{0};
};

class FollowedFile {
public:
    using Clock = std::chrono::steady_clock;

    // How long a changed file must stay as it is before it is taken.
    static constexpr std::chrono::milliseconds kQuietTime{200};

    FollowedFile() = default;
    explicit FollowedFile(std::string path) : path_(std::move(path)) {}

    // The name followed; empty when nothing is.
    const std::string& Path() const { return path_; }

    // The file as it is about to be read (FileFactsOf its path): a change is measured from
    // here. Nothing for a file that is not there.
    void Take(const std::optional<FileFacts>& facts);

    // Looks at the file as it is now, at `now`: Changed once it is not what was taken (another
    // file under the name, another size or time, or gone or back) and has stayed so for
    // kQuietTime; Settling until then.
    FollowStep Look(Clock::time_point now) { return Look(FileFactsOf(path_), now); }
    FollowStep Look(const std::optional<FileFacts>& facts, Clock::time_point now);

    // What Look saw last: what to Take when it says Changed.
    const std::optional<FileFacts>& Seen() const { return seen_; }

private:
    std::string path_;
    std::optional<FileFacts> taken_;
    std::optional<FileFacts> seen_;
    Clock::time_point seenSince_;
};

// The folder to watch for changes to the file `path`: the one it lies in, "." for a name
// without a folder.
std::string FolderToWatch(const std::string& path);

// The time of day at `when`, as the messages of a followed file begin: "12:04:31".
std::string ClockTime(std::chrono::system_clock::time_point when);
