#include "FolderWatcher.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

#include "app/MainController.h"

namespace fs = std::filesystem;

namespace morvish::win32 {

namespace {

// The completion keys of the port's own packets; a request's packet carries its watch's address.
constexpr ULONG_PTR kRewatchKey = 1;
constexpr ULONG_PTR kStopKey = 2;

// How long the worker thread waits, once stopping, for its cancelled requests to come back.
constexpr DWORD kCancelWaitMs = 5000;

bool IsFolder(const fs::path& folder) {
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

struct FolderWatcher::Watch {
    WatchedFolder wanted;
    HANDLE handle = INVALID_HANDLE_VALUE;
    OVERLAPPED overlapped{};
    // A request is out: the system owns `overlapped` and `buffer` until its packet comes back.
    bool pending = false;
    // Cancelled: the watch goes once its request is back.
    bool dropping = false;
    // The names in a report are never read (any report means the folder is read again), so the
    // buffer only has to hold a few; one that overflows still reports the change.
    alignas(DWORD) std::array<std::byte, 4096> buffer{};
};

FolderWatcher::FolderWatcher(MainController& logic, HWND window)
    : logic_(logic),
      window_(window),
      port_(::CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1)) {
    // Without a port nothing is watched: the program works on, showing the files as they were.
    if (port_ != nullptr) worker_ = std::thread([this] { Run(); });
}

FolderWatcher::~FolderWatcher() {
    ::KillTimer(window_, kGatheringTimer);
    if (worker_.joinable()) {
        ::PostQueuedCompletionStatus(port_, 0, kStopKey, nullptr);
        worker_.join();
    }
    if (port_ != nullptr) ::CloseHandle(port_);
}

void FolderWatcher::WatchFolders(const std::vector<WatchedFolder>& folders) {
    {
        const std::lock_guard lock(mutex_);
        wanted_ = folders;
    }
    if (port_ != nullptr) ::PostQueuedCompletionStatus(port_, 0, kRewatchKey, nullptr);
}

void FolderWatcher::StartGathering(std::chrono::milliseconds delay) {
    // Setting the timer again starts its delay again.
    const auto ms = std::max<std::chrono::milliseconds::rep>(delay.count(), USER_TIMER_MINIMUM);
    ::SetTimer(window_, kGatheringTimer, UINT(ms), nullptr);
}

bool FolderWatcher::Handle(UINT message, WPARAM wParam) {
    if (message == WM_TIMER && wParam == kGatheringTimer) {
        ::KillTimer(window_, kGatheringTimer);
        logic_.GatheringElapsed();
        return true;
    }
    if (message != kReportMessage) return false;
    std::vector<fs::path> reports;
    std::vector<std::function<void()>> tasks;
    {
        const std::lock_guard lock(mutex_);
        reports.swap(reports_);
        tasks.swap(tasks_);
        posted_ = false;
    }
    for (const fs::path& folder : reports) logic_.FolderChanged(folder);
    for (const std::function<void()>& task : tasks) task();
    return true;
}

void FolderWatcher::Deliver(std::function<void()> task) {
    const std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
    PostOnce();
}

void FolderWatcher::PostOnce() {
    // One message carries every report and task given until the window has taken them.
    if (!posted_) posted_ = ::PostMessageW(window_, kReportMessage, 0, 0) != 0;
}

// ---- The worker thread --------------------------------------------------------------------------

void FolderWatcher::Run() {
    while (!stopping_ || !watches_.empty()) {
        DWORD bytes = 0;
        ULONG_PTR key = 0;
        OVERLAPPED* overlapped = nullptr;
        const BOOL succeeded = ::GetQueuedCompletionStatus(port_, &bytes, &key, &overlapped,
                                                           stopping_ ? kCancelWaitMs : INFINITE);
        const DWORD error = succeeded ? ERROR_SUCCESS : ::GetLastError();
        if (overlapped == nullptr) {
            if (!succeeded) {
                // Cancelled requests that never came back: their handles are closed, but their
                // buffers are left to the system rather than freed under a write still to come.
                for (std::unique_ptr<Watch>& watch : watches_) {
                    ::CloseHandle(watch->handle);
                    (void)watch.release();
                }
                watches_.clear();
                return;
            }
            if (key == kStopKey) {
                stopping_ = true;
                for (const std::unique_ptr<Watch>& watch : watches_) Drop(*watch);
            } else if (key == kRewatchKey && !stopping_) {
                Reconcile();
            }
        } else {
            const auto found = std::ranges::find_if(watches_, [key](const auto& watch) {
                return reinterpret_cast<ULONG_PTR>(watch.get()) == key;
            });
            if (found != watches_.end()) Completed(**found, error);
        }
        std::erase_if(watches_, [](const std::unique_ptr<Watch>& watch) {
            if (!watch->dropping || watch->pending) return false;
            ::CloseHandle(watch->handle);
            return true;
        });
    }
}

void FolderWatcher::Reconcile() {
    std::vector<WatchedFolder> wanted;
    {
        const std::lock_guard lock(mutex_);
        wanted = wanted_;
    }
    for (const std::unique_ptr<Watch>& watch : watches_) {
        if (std::ranges::find(wanted, watch->wanted) == wanted.end()) Drop(*watch);
    }
    for (const WatchedFolder& folder : wanted) {
        if (std::ranges::any_of(watches_, [&](const std::unique_ptr<Watch>& watch) {
                return !watch->dropping && watch->wanted == folder;
            })) {
            continue;
        }
        auto watch = std::make_unique<Watch>();
        watch->wanted = folder;
        // Shared for deleting too, so that the watch never stops anyone removing or renaming the
        // folder.
        watch->handle = ::CreateFileW(folder.folder.c_str(), FILE_LIST_DIRECTORY,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
        // A folder that does not exist is not watched; the logic names it again once it does.
        if (watch->handle == INVALID_HANDLE_VALUE) continue;
        const auto key = reinterpret_cast<ULONG_PTR>(watch.get());
        if (::CreateIoCompletionPort(watch->handle, port_, key, 0) == nullptr || !Request(*watch)) {
            ::CloseHandle(watch->handle);
            continue;
        }
        watches_.push_back(std::move(watch));
    }
}

bool FolderWatcher::Request(Watch& watch) {
    DWORD filter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;
    if (watch.wanted.files) {
        filter |=
            FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE;
    }
    watch.overlapped = OVERLAPPED{};
    if (!::ReadDirectoryChangesW(watch.handle, watch.buffer.data(), DWORD(watch.buffer.size()),
                                 FALSE, filter, nullptr, &watch.overlapped, nullptr)) {
        return false;
    }
    watch.pending = true;
    return true;
}

void FolderWatcher::Completed(Watch& watch, DWORD error) {
    watch.pending = false;
    if (watch.dropping) return;
    // Whatever came back is a change: names, an overflow that lost them (no bytes, or
    // ERROR_NOTIFY_ENUM_DIR), or a failure because the folder went away.
    Report(watch.wanted.folder);
    const bool listening = error == ERROR_SUCCESS || error == ERROR_NOTIFY_ENUM_DIR;
    // A folder removed or renamed is no longer watched under its name; the logic names it again
    // if it comes back.
    if (listening && IsFolder(watch.wanted.folder) && Request(watch)) return;
    watch.dropping = true;
}

void FolderWatcher::Report(const fs::path& folder) {
    const std::lock_guard lock(mutex_);
    if (std::ranges::find(reports_, folder) == reports_.end()) reports_.push_back(folder);
    PostOnce();
}

void FolderWatcher::Drop(Watch& watch) {
    watch.dropping = true;
    // The request comes back cancelled; the watch is closed then.
    if (watch.pending) ::CancelIoEx(watch.handle, &watch.overlapped);
}

}  // namespace morvish::win32
