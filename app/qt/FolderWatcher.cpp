#include "FolderWatcher.h"

#include <QFile>
#include <system_error>
#include <utility>

#include "app/MainController.h"

namespace fs = std::filesystem;

namespace morvish {

namespace {

QString QtPath(const fs::path& path) {
    return QFile::decodeName(path.native().c_str());
}

}  // namespace

FolderWatcher::FolderWatcher(MainController& logic) : logic_(logic) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { logic_.GatheringElapsed(); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this,
            [this](const QString& path) { Reported(path); });
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this,
            [this](const QString& path) { Reported(path); });
}

void FolderWatcher::WatchFolders(const std::vector<WatchedFolder>& folders) {
    folders_ = folders;
    Rewatch();
}

void FolderWatcher::StartGathering(std::chrono::milliseconds delay) {
    timer_.start(delay);
}

void FolderWatcher::Deliver(std::function<void()> task) {
    // Queued to this object's thread; dropped with the object.
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

void FolderWatcher::Rewatch() {
    std::map<QString, fs::path> wanted;
    for (const WatchedFolder& watched : folders_) {
        std::error_code error;
        if (!fs::is_directory(watched.folder, error)) continue;
        wanted.emplace(QtPath(watched.folder), watched.folder);
        if (!watched.files) continue;
        for (fs::directory_iterator it(watched.folder, error), end; !error && it != end;
             it.increment(error)) {
            if (it->is_regular_file(error)) wanted.emplace(QtPath(it->path()), watched.folder);
        }
    }
    // Files are watched anew every time: a file renamed over a watched one has its name but is
    // another file, which the old watch does not see.
    QStringList gone = watcher_.files();
    for (const QString& path : watcher_.directories()) {
        if (!wanted.contains(path)) gone.push_back(path);
    }
    if (!gone.empty()) watcher_.removePaths(gone);
    const QStringList present = watcher_.files() + watcher_.directories();
    QStringList added;
    for (const auto& [path, folder] : wanted) {
        if (!present.contains(path)) added.push_back(path);
    }
    // Paths that vanished in between are refused; their folders report it.
    if (!added.empty()) (void)watcher_.addPaths(added);
    reportedAs_ = std::move(wanted);
}

void FolderWatcher::Reported(const QString& path) {
    const auto found = reportedAs_.find(path);
    if (found == reportedAs_.end()) return;
    const fs::path folder = found->second;
    // A folder's report may mean new files, or files renamed over others, whose writing is to be
    // reported too.
    if (path == QtPath(folder)) Rewatch();
    logic_.FolderChanged(folder);
}

}  // namespace morvish
