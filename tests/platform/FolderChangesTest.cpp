// The folder reports the picture cache trusts instead of looking at every file (inotify on Linux):
// on a local disk every kind of change in a watched folder is reported, a folder watched twice is
// one watch that lasts until its last Unwatch, and a removed folder's watch is reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "platform/Platform.h"
#include "support/FixtureSkin.h"

namespace morvish::platform {
namespace {

using test::ScratchFolder;

bool Has(const std::vector<int>& watches, int watch) {
    return std::ranges::find(watches, watch) != watches.end();
}

// What the folders reported, collected until `watch` is among the changed or half a second has
// passed: the system may hand its report over a moment after the change.
FolderChanges::Seen Await(FolderChanges& changes, int watch) {
    FolderChanges::Seen all;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    do {
        FolderChanges::Seen seen = changes.Collect();
        all.changed.insert(all.changed.end(), seen.changed.begin(), seen.changed.end());
        all.ended.insert(all.ended.end(), seen.ended.begin(), seen.ended.end());
        all.lost = all.lost || seen.lost;
        if (Has(all.changed, watch) || all.lost) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (std::chrono::steady_clock::now() < until);
    return all;
}

bool Reported(FolderChanges& changes, int watch) {
    const FolderChanges::Seen seen = Await(changes, watch);
    return Has(seen.changed, watch) || seen.lost;
}

TEST(FolderChanges, EveryKindOfChangeInAWatchedFolderIsReportedOnce) {
    ScratchFolder scratch;
    const fs::path folder = scratch.Path() / "skin";
    scratch.Write("skin/btn.bmp", "old");
    FolderChanges changes;
    const std::optional<int> watch = changes.Watch(folder);
    // Windows, and file systems that do not report every change, give no watch: the picture
    // cache looks at every file there.
    if (!watch) GTEST_SKIP() << "no folder reports here";
    EXPECT_TRUE(changes.Collect().changed.empty());

    scratch.Write("skin/new.bmp", "made");
    EXPECT_TRUE(Reported(changes, *watch)) << "made";
    // Written in place, as some paint programs save.
    std::ofstream(folder / "btn.bmp", std::ios::binary | std::ios::app) << "more";
    EXPECT_TRUE(Reported(changes, *watch)) << "written in place";
    // Written under another name and renamed over the old file, as most save.
    scratch.Write("skin/saving.tmp", "saved");
    fs::rename(folder / "saving.tmp", folder / "btn.bmp");
    EXPECT_TRUE(Reported(changes, *watch)) << "renamed over";
    fs::remove(folder / "new.bmp");
    EXPECT_TRUE(Reported(changes, *watch)) << "removed";
    fs::create_directory(folder / "basic_interface");
    EXPECT_TRUE(Reported(changes, *watch)) << "a folder made";

    // Reports of one change come once: nothing is left once they are collected.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    (void)changes.Collect();
    const FolderChanges::Seen quiet = changes.Collect();
    EXPECT_TRUE(quiet.changed.empty());
    EXPECT_TRUE(quiet.ended.empty());
}

TEST(FolderChanges, AFolderWatchedTwiceIsOneWatchUntilItsLastUnwatch) {
    ScratchFolder scratch;
    scratch.Write("skin/btn.bmp", "old");
    scratch.Write("other/btn.bmp", "old");
    FolderChanges changes;
    const std::optional<int> first = changes.Watch(scratch.Path() / "skin");
    const std::optional<int> second = changes.Watch(scratch.Path() / "skin" / ".");
    const std::optional<int> other = changes.Watch(scratch.Path() / "other");
    if (!first) GTEST_SKIP() << "no folder reports here";
    ASSERT_TRUE(second && other);
    EXPECT_EQ(*first, *second);
    EXPECT_NE(*first, *other);

    changes.Unwatch(*first);
    scratch.Write("skin/new.bmp", "made");
    EXPECT_TRUE(Reported(changes, *first)) << "still watched once";
    changes.Unwatch(*second);
    // What the system says of the watch's end (inotify reports it once) is collected first.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    (void)changes.Collect();
    scratch.Write("skin/newer.bmp", "made");
    // The other folder's report shows the system has handed over what it had.
    scratch.Write("other/new.bmp", "made");
    const FolderChanges::Seen seen = Await(changes, *other);
    EXPECT_TRUE(Has(seen.changed, *other));
    EXPECT_FALSE(Has(seen.changed, *first)) << "no longer watched";

    // Nothing is watched under a name that is not a folder.
    EXPECT_FALSE(changes.Watch(scratch.Path() / "other" / "btn.bmp").has_value());
    EXPECT_FALSE(changes.Watch(scratch.Path() / "missing").has_value());
}

TEST(FolderChanges, ARemovedFolderIsReported) {
    ScratchFolder scratch;
    scratch.Write("skin/btn.bmp", "old");
    FolderChanges changes;
    const std::optional<int> watch = changes.Watch(scratch.Path() / "skin");
    if (!watch) GTEST_SKIP() << "no folder reports here";
    fs::remove_all(scratch.Path() / "skin");
    const FolderChanges::Seen seen = Await(changes, *watch);
    EXPECT_TRUE(Has(seen.changed, *watch) || seen.lost);
}

}  // namespace
}  // namespace morvish::platform
