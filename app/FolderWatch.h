#pragma once
// Watching the folders behind what the preview shows, so that a file another program saves shows
// without any input. The logic (MainController) decides which folders to watch and what to draw
// again; each desktop program binds this interface to its system's reports (QFileSystemWatcher in
// the Qt program, ReadDirectoryChangesW in a Win32 program) and hands them back to the logic on
// its user-interface thread: MainController::FolderChanged for every report, and
// MainController::GatheringElapsed when the delay begun by StartGathering has run out. Work the
// logic does on a thread of its own (the skin check behind a tree mark) comes back through the
// watch too, by Deliver.

#include <chrono>
#include <filesystem>
#include <functional>
#include <vector>

namespace morvish {

// A folder to watch. Every watch reports an entry made, removed or renamed in the folder (a paint
// program that saves by writing a new file and renaming it over the old one makes the watched
// file vanish; the folder sees it) and the folder itself removed or renamed. With `files`, a file
// in the folder written in place or given new attributes is reported too.
struct WatchedFolder {
    std::filesystem::path folder;
    bool files = false;

    friend bool operator==(const WatchedFolder&, const WatchedFolder&) = default;
};

class FolderWatch {
  public:
    virtual ~FolderWatch() = default;

    // From now on reports changes in exactly these folders, each report naming the folder as it
    // is given here. A folder that does not exist is not watched (the logic watches the folder
    // above it too and names the folder again once it appears).
    virtual void WatchFolders(const std::vector<WatchedFolder>& folders) = 0;

    // Hands GatheringElapsed to the logic once, `delay` from now; a call while a delay runs starts
    // it again.
    virtual void StartGathering(std::chrono::milliseconds delay) = 0;

    // Runs `task` on the user-interface thread soon, in the order given; may be called from any
    // thread. A task still waiting when the watch goes is dropped.
    virtual void Deliver(std::function<void()> task) = 0;

    // The clock the delays run on.
    virtual std::chrono::steady_clock::time_point Now() const {
        return std::chrono::steady_clock::now();
    }
};

}  // namespace morvish
