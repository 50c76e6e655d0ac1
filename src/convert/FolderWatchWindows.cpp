// FolderWatch on Windows, with change notifications.

#include "convert/FolderWatch.h"

#include "model/TextUtil.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

// Whether `folder` lies on a network drive, whose other clients' writes a change
// notification may not tell of.
bool OnNetworkDrive(const std::filesystem::path& folder)
{
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(folder, ec);
    const std::wstring root = (ec ? folder : absolute).root_path().wstring();
    return !root.empty() && GetDriveTypeW(root.c_str()) == DRIVE_REMOTE;
}

}  // namespace

struct FolderWatch::Parts {
    HANDLE stop = nullptr;        // set by Stop, and left set
    std::vector<HANDLE> changes;  // one change notification a folder
    std::atomic<bool> stopped{false};
    // Some folder is one the system may not tell of changes in: Wait looks every second.
    bool lookEverySecond = false;
};

FolderWatch::FolderWatch() : parts_(std::make_unique<Parts>())
{
    parts_->stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

FolderWatch::~FolderWatch()
{
    for (const HANDLE change : parts_->changes) {
        FindCloseChangeNotification(change);
    }
    if (parts_->stop != nullptr) {
        CloseHandle(parts_->stop);
    }
}

bool FolderWatch::Add(const std::string& folder, std::string& reason)
{
    const std::filesystem::path name = std::filesystem::u8path(folder);
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(name, ec);
    if (!std::filesystem::is_directory(status)) {
        const std::error_condition why = ec.default_error_condition();
        reason = !std::filesystem::exists(status)            ? ErrnoText(ENOENT)
                 : !ec                                       ? ErrnoText(ENOTDIR)
                 : why.category() == std::generic_category() ? ErrnoText(why.value())
                                                             : ec.message();
        return false;
    }
    // A file there written, made, removed or renamed (a new file renamed over the old one).
    const HANDLE change = FindFirstChangeNotificationW(
        name.wstring().c_str(), FALSE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
    // WaitForMultipleObjects waits on 64 objects at most, the stop event among them.
    if (change == INVALID_HANDLE_VALUE || parts_->changes.size() + 1 >= MAXIMUM_WAIT_OBJECTS) {
        if (change != INVALID_HANDLE_VALUE) {
            FindCloseChangeNotification(change);
        }
        parts_->lookEverySecond = true;
    } else {
        parts_->changes.push_back(change);
    }
    if (OnNetworkDrive(name)) {
        parts_->lookEverySecond = true;
    }
    return true;
}

FolderWatch::Wake FolderWatch::Wait(std::optional<std::chrono::milliseconds> timeout)
{
    Parts& parts = *parts_;
    if (parts.stopped) {
        return Wake::Stopped;
    }
    DWORD wait =
        timeout ? static_cast<DWORD>(std::clamp<long long>(timeout->count(), 0, 0x7FFFFFFF)) : INFINITE;
    if (parts.lookEverySecond && (wait == INFINITE || wait > kLookEvery.count())) {
        wait = static_cast<DWORD>(kLookEvery.count());
    }
    std::vector<HANDLE> handles = {parts.stop};
    handles.insert(handles.end(), parts.changes.begin(), parts.changes.end());
    const DWORD woken =
        WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, wait);
    if (parts.stopped || woken == WAIT_OBJECT_0) {
        return Wake::Stopped;
    }
    if (woken > WAIT_OBJECT_0 && woken < WAIT_OBJECT_0 + handles.size()) {
        FindNextChangeNotification(handles[woken - WAIT_OBJECT_0]);  // heard: wait for the next
        return Wake::Changed;
    }
    return Wake::TimedOut;
}

void FolderWatch::Stop()
{
    parts_->stopped = true;
    if (parts_->stop != nullptr) {
        SetEvent(parts_->stop);
    }
}
