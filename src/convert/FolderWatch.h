#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

// Hears of changes in folders: a file in one written, made, renamed or removed. It uses the
// system's notifications (inotify on Linux, change notifications on Windows), which tell
// of a file renamed over another as well as of one written in place. Where there are none
// to rely on (a network file system, whose other clients' writes the system never hears
// of; a system without them) Wait returns at least once a second, for its caller to look
// for itself. It never spins. The calls of each platform are in their own file
// (FolderWatchPosix.cpp, FolderWatchWindows.cpp), one of which CMake builds.
class FolderWatch {
public:
    FolderWatch();
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Watches the folder `folder` as well. False, with the system's reason in `reason`, when
    // it cannot be watched at all: it does not exist, or may not be read.
    bool Add(const std::string& folder, std::string& reason);

    enum class Wake { Changed, TimedOut, Stopped };

    // Waits until something changes in a watched folder, `timeout` passes (nothing: no time
    // limit), or Stop is called; where notifications cannot be relied on, for a second at
    // most. After Stop it returns Stopped at once, every time.
    Wake Wait(std::optional<std::chrono::milliseconds> timeout);

    // Ends the wait under way, or the next one. Safe to call from a signal handler and from
    // another thread.
    void Stop();

    // The longest Wait waits where the system tells of no changes.
    static constexpr std::chrono::milliseconds kLookEvery{1000};

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};
