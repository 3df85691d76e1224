#pragma once
// The Win32 program's watch on the folders of what the preview shows: ReadDirectoryChangesW on
// each folder, with the requests' completions gathered on one worker thread through an I/O
// completion port, and a window timer on the main window for the gathering delay. The worker
// thread hands its reports to the main window by a private message; the logic hears of them, and
// of the timer, on the user-interface thread. Tasks delivered from other threads come the same way.

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "app/FolderWatch.h"
#include "platform/WindowsApi.h"

namespace morvish {
class MainController;
}

namespace morvish::win32 {

class FolderWatcher : public FolderWatch {
  public:
    // The message the worker thread posts to `window` when it has reports, and the identifier of
    // the gathering timer on `window`. The window hands both to Handle.
    static constexpr UINT kReportMessage = WM_APP + 1;
    static constexpr UINT_PTR kGatheringTimer = 0x6d76;

    FolderWatcher(MainController& logic, HWND window);
    // Cancels every request, waits for the worker thread and closes every handle.
    ~FolderWatcher() override;
    FolderWatcher(const FolderWatcher&) = delete;
    FolderWatcher& operator=(const FolderWatcher&) = delete;

    void WatchFolders(const std::vector<WatchedFolder>& folders) override;
    void StartGathering(std::chrono::milliseconds delay) override;
    void Deliver(std::function<void()> task) override;

    // Runs a message of the main window that belongs to the watch; false for any other.
    bool Handle(UINT message, WPARAM wParam);

  private:
    struct Watch;

    void Run();
    // Opens the folders wanted now and not yet watched, and cancels the watches of the others.
    void Reconcile();
    // Posts the report message unless one is on its way; under the lock.
    void PostOnce();
    // Asks for the next changes in the watch's folder; false when the folder cannot be watched.
    bool Request(Watch& watch);
    // A request came back with `error` (ERROR_SUCCESS for reported changes).
    void Completed(Watch& watch, DWORD error);
    void Report(const std::filesystem::path& folder);
    // Cancels the watch's request; the watch is closed when it is back.
    void Drop(Watch& watch);

    MainController& logic_;
    HWND window_;
    HANDLE port_ = nullptr;
    // Only the worker thread touches the watches.
    std::vector<std::unique_ptr<Watch>> watches_;
    bool stopping_ = false;

    // Shared between the threads.
    std::mutex mutex_;
    std::vector<WatchedFolder> wanted_;
    std::vector<std::filesystem::path> reports_;
    std::vector<std::function<void()>> tasks_;
    bool posted_ = false;

    std::thread worker_;
};

}  // namespace morvish::win32
