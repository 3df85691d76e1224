#pragma once
// The Qt program's watch on the folders of what the preview shows: QFileSystemWatcher (inotify on
// Linux) on each folder and on each file in the folders whose files count, and a one-shot timer
// for the gathering delay. Reports and the timer reach the logic on the user-interface thread.

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <map>
#include <vector>

#include "app/FolderWatch.h"

namespace morvish {

class MainController;

class FolderWatcher : public QObject, public FolderWatch {
  public:
    explicit FolderWatcher(MainController& logic);

    void WatchFolders(const std::vector<WatchedFolder>& folders) override;
    void StartGathering(std::chrono::milliseconds delay) override;
    void Deliver(std::function<void()> task) override;

  private:
    // Watches exactly the folders and, where their files count, the files in them as they are
    // now; a file made later is watched once its folder reports it.
    void Rewatch();
    void Reported(const QString& folder);

    MainController& logic_;
    QFileSystemWatcher watcher_;
    QTimer timer_;
    std::vector<WatchedFolder> folders_;
    // Every watched path and the folder it is reported as.
    std::map<QString, std::filesystem::path> reportedAs_;
};

}  // namespace morvish
