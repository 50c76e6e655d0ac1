#include "convert/FollowedFile.h"

#include <ctime>
#include <filesystem>

namespace {

// Whether two looks at a file found it the same: both found none, or both the same file
// with the same size and times.
bool Same(const std::optional<FileFacts>& a, const std::optional<FileFacts>& b)
{
    if (!a || !b) {
        return !a && !b;
    }
    return a->identity.device == b->identity.device && a->identity.inode == b->identity.inode &&
           a->SameState(*b);
}

}  // namespace

void FollowedFile::Take(const std::optional<FileFacts>& facts)
{
    taken_ = facts;
    seen_ = facts;
}

FollowStep FollowedFile::Look(const std::optional<FileFacts>& facts, Clock::time_point now)
{
    if (Same(facts, taken_)) {
        seen_ = facts;
        return {};
    }
    if (!Same(facts, seen_)) {
        seen_ = facts;
        seenSince_ = now;
    }
    const auto quiet = std::chrono::duration_cast<std::chrono::milliseconds>(now - seenSince_);
    if (quiet >= kQuietTime) {
        return {FollowStep::Changed, {}};
    }
    return {FollowStep::Settling, kQuietTime - quiet};
}

std::string FolderToWatch(const std::string& path)
{
    const std::filesystem::path folder = std::filesystem::u8path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.u8string();
}

std::string ClockTime(std::chrono::system_clock::time_point when)
{
    const std::time_t time = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &time);
#else
    localtime_r(&time, &local);
#endif
    char text[16];
    const std::size_t length = std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return std::string(text, length);
}
