// Watching what the preview shows: which folders are watched, how reports are gathered into one
// redraw, and what that redraw shows: the files as they are on disk now, the window in its state
// with the look the pointer gives it, the screenshot, and skins made or removed under a root.

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

#include "FakeView.h"
#include "app/BackgroundJobs.h"
#include "app/ZoomedPane.h"
#include "platform/Platform.h"
#include "render/ProgramPaths.h"

namespace morvish::test {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

constexpr int kBasicWidth = 280;
constexpr int kBasicHeight = 120;
constexpr std::uint32_t kMinimiseOff = 0x0000FF;
constexpr std::uint32_t kMinimiseOn = 0xFF0000;

// A watch that records what it is told and runs on a clock the test moves. What other threads
// deliver waits until the test runs it.
class FakeWatch : public FolderWatch {
  public:
    void WatchFolders(const std::vector<WatchedFolder>& given) override { folders = given; }
    void StartGathering(milliseconds delay) override { delays.push_back(delay); }
    void Deliver(std::function<void()> task) override {
        {
            const std::lock_guard lock(mutex_);
            tasks_.push_back(std::move(task));
        }
        delivered_.notify_all();
    }
    std::chrono::steady_clock::time_point Now() const override { return now; }

    // Waits, a few seconds at most, until `count` tasks have been delivered; false when fewer
    // came.
    bool AwaitDelivered(std::size_t count = 1) {
        std::unique_lock lock(mutex_);
        return delivered_.wait_for(lock, std::chrono::seconds(20),
                                   [&] { return tasks_.size() >= count; });
    }
    // Then runs them on the test's thread.
    bool RunDelivered(std::size_t count = 1) {
        if (!AwaitDelivered(count)) return false;
        std::vector<std::function<void()>> tasks;
        {
            const std::lock_guard lock(mutex_);
            tasks.swap(tasks_);
        }
        for (const std::function<void()>& task : tasks) task();
        return true;
    }

    std::vector<WatchedFolder> folders;
    std::vector<milliseconds> delays;
    std::chrono::steady_clock::time_point now{};

  private:
    std::mutex mutex_;
    std::condition_variable delivered_;
    std::vector<std::function<void()>> tasks_;
};

struct WatchFixture {
    ProgramFolders folders;
    TemporaryFolder root;
    std::unique_ptr<Program> program;
    FakeWatch watch;

    WatchFixture() {
        const fs::path dir = root.PathOf("skin") / "basic_interface";
        WriteSolidBmp(dir / "basewin_bg.bmp", kBasicWidth, kBasicHeight, 0x808080);
        WriteSolidBmp(dir / "sys_mini_off.bmp", 11, 11, kMinimiseOff);
        WriteSolidBmp(dir / "sys_mini_on.bmp", 11, 11, kMinimiseOn);
        folders.program.Write("SkinDir.txt", platform::PathToUtf8(root.Path()) + "\r\n");
        program = std::make_unique<Program>(folders);
        Logic().SetFolderWatch(&watch);
    }
    ~WatchFixture() { Logic().SetFolderWatch(nullptr); }
    FakeView& View() const { return program->view; }
    MainController& Logic() const { return *program->logic; }
    NodeId Skin(const char* name = "skin") const { return View().Child(View().Root(0), name); }
    NodeId Basic() const { return View().Child(Skin(), "基本情報ウィンドウ"); }
    int PaneX(int x) const { return (View().pane.Width() - 4 - kBasicWidth) / 2 + x; }
    int PaneY(int y) const { return (View().pane.Height() - 4 - kBasicHeight) / 2 + y; }
    std::uint32_t ShownAt(int x, int y) const { return View().pane.Shown().At(PaneX(x), PaneY(y)); }
    fs::path Pieces() const { return root.PathOf("skin") / "basic_interface"; }
    // A report of the folder and the delay running out.
    void Report(const fs::path& folder) {
        Logic().FolderChanged(folder);
        Logic().GatheringElapsed();
    }
    // A file saved as paint programs save: written under another name, renamed over the old one.
    void SaveOver(const fs::path& file, int width, int height, std::uint32_t rgb) const {
        const fs::path temporary = file.parent_path() / "~saving.tmp";
        WriteSolidBmp(temporary, width, height, rgb);
        fs::rename(temporary, file);
    }
};

std::vector<fs::path> FoldersOf(const std::vector<WatchedFolder>& watched, bool files) {
    std::vector<fs::path> folders;
    for (const WatchedFolder& folder : watched) {
        if (folder.files == files) folders.push_back(folder.folder);
    }
    return folders;
}

TEST(Watch, FoldersFollowWhatIsShown) {
    WatchFixture f;
    const fs::path root = f.root.Path();
    const fs::path skin = f.root.PathOf("skin");
    EXPECT_EQ(FoldersOf(f.watch.folders, false), std::vector<fs::path>{root});
    EXPECT_TRUE(FoldersOf(f.watch.folders, true).empty());

    // A window kind: the skin, its pieces and the sample pictures, their files too.
    f.program->Click(f.Basic());
    const std::vector<fs::path> window = {
        skin, f.Pieces(),
        GraphicDirectory().has_filename() ? GraphicDirectory() : GraphicDirectory().parent_path()};
    EXPECT_EQ(FoldersOf(f.watch.folders, true), window);

    // A screenshot: the skin's folder alone.
    WriteSolidBmp(skin / "ss.bmp", 4, 4, 0x123456);
    f.program->Click(f.Skin());
    EXPECT_EQ(FoldersOf(f.watch.folders, true), std::vector<fs::path>{skin});

    // The pieces' folder in another case is the one watched (where names ignore case, under
    // either name).
    fs::rename(f.Pieces(), skin / "Basic_Interface");
    f.program->Click(f.Basic());
    EXPECT_TRUE(fs::equivalent(FoldersOf(f.watch.folders, true)[1], skin / "Basic_Interface"));

    // Nothing shown once the skin is gone from the tree; the root is watched still.
    f.program->Click(f.View().Root(0));
    f.Logic().mnuSubDirRefres_Click();
    fs::remove_all(skin);
    f.Report(root);
    EXPECT_TRUE(FoldersOf(f.watch.folders, true).empty());
    EXPECT_EQ(FoldersOf(f.watch.folders, false), std::vector<fs::path>{root});
}

TEST(Watch, ReportsAreGatheredIntoOneRedrawThatWaitsNoLongerThanItsBound) {
    WatchFixture f;
    f.program->Click(f.Basic());
    // A skin shown for the first time is marked once its picture had time to reach the screen.
    EXPECT_EQ(f.watch.delays, std::vector<milliseconds>{MainController::kMarkDelay});
    EXPECT_EQ(f.View().marks.count(f.Skin()), 0u);
    f.Logic().GatheringElapsed();
    // The check runs on a thread of its own; its mark comes back through the watch.
    EXPECT_EQ(f.View().marks.count(f.Skin()), 0u);
    ASSERT_TRUE(f.watch.RunDelivered());
    EXPECT_EQ(f.View().marks.at(f.Skin()), true);
    f.watch.delays.clear();
    const int before = f.View().pane.Presentations();
    f.Logic().FolderChanged(f.Pieces());
    f.watch.now += milliseconds(100);
    f.Logic().FolderChanged(f.Pieces());
    f.watch.now += milliseconds(100);
    f.Logic().FolderChanged(f.root.PathOf("skin"));
    f.watch.now += milliseconds(90);
    f.Logic().FolderChanged(f.Pieces());
    f.watch.now += milliseconds(30);
    f.Logic().FolderChanged(f.Pieces());
    // Each report starts the delay again, never beyond 300 ms after the first.
    const std::vector<milliseconds> delays = {milliseconds(150), milliseconds(150),
                                              milliseconds(100), milliseconds(10), milliseconds(0)};
    EXPECT_EQ(f.watch.delays, delays);
    EXPECT_EQ(f.View().pane.Presentations(), before);

    // The skin's mark is checked again once the redrawn picture had time to reach the screen,
    // when a last delay runs out; it draws nothing.
    f.View().marks.erase(f.Skin());
    f.Logic().GatheringElapsed();
    EXPECT_EQ(f.View().pane.Presentations(), before + 1);
    EXPECT_EQ(f.View().marks.count(f.Skin()), 0u);
    EXPECT_EQ(f.watch.delays.back(), MainController::kMarkDelay);
    f.Logic().GatheringElapsed();
    ASSERT_TRUE(f.watch.RunDelivered());
    EXPECT_EQ(f.View().pane.Presentations(), before + 1);
    EXPECT_EQ(f.View().marks.at(f.Skin()), true);
    // A delay that runs out with nothing gathered draws nothing and checks nothing.
    f.View().marks.clear();
    f.Logic().GatheringElapsed();
    EXPECT_EQ(f.View().pane.Presentations(), before + 1);
    EXPECT_TRUE(f.View().marks.empty());
    // A report of a folder nobody shows changes nothing either.
    f.Report(f.folders.share.Path());
    EXPECT_EQ(f.View().pane.Presentations(), before + 1);
}

TEST(Watch, ASavedPieceShowsWithTheLookThePointerGivesIt) {
    WatchFixture f;
    f.program->Click(f.Basic());
    f.Logic().picShowSkin_MouseMove(0, f.PaneX(270), f.PaneY(7));
    EXPECT_EQ(f.ShownAt(270, 7), kMinimiseOn);

    // The hover look saved anew: the pointer has not moved, and the new look shows.
    f.SaveOver(f.Pieces() / "sys_mini_on.bmp", 11, 11, 0x00FF00);
    f.Report(f.Pieces());
    EXPECT_EQ(f.ShownAt(270, 7), 0x00FF00u);

    // Minimised by a click, the window stays minimised when its background changes.
    f.Logic().picShowSkin_MouseDown(1, f.PaneX(270), f.PaneY(7));
    f.Logic().picShowSkin_MouseUp(1, f.PaneX(270), f.PaneY(7));
    const int minimised = f.Logic().Tree().ManagerOf(f.Skin())->Window(2)->getDrawRect().Bottom;
    f.SaveOver(f.Pieces() / "basewin_bg.bmp", kBasicWidth, kBasicHeight, 0x404040);
    f.Report(f.Pieces());
    EXPECT_EQ(f.Logic().Tree().ManagerOf(f.Skin())->Window(2)->getDrawRect().Bottom, minimised);
    EXPECT_EQ(f.View().pane.Shown().width, f.View().pane.Width() - 4);
}

TEST(Watch, AtEveryZoomTheRedrawKeepsTheHoverUnderThePointer) {
    for (int zoom = 2; zoom <= kMaxZoom; ++zoom) {
        SCOPED_TRACE(zoom);
        WatchFixture f;
        f.View().pane.Resize(kBasicWidth * kMaxZoom + 40, kBasicHeight * kMaxZoom + 40);
        f.Logic().SetZoom(zoom);
        f.program->Click(f.Basic());
        // The middle of the minimise button as drawn at this zoom.
        const Bitmap& shown = f.View().pane.Shown();
        int x = -1, y = -1;
        for (int row = 0; row < shown.height && x < 0; ++row) {
            for (int column = 0; column < shown.width && x < 0; ++column) {
                if (shown.At(column, row) == kMinimiseOff) x = column, y = row;
            }
        }
        ASSERT_GE(x, 0);
        x += 5 * zoom;
        y += 5 * zoom;
        f.Logic().picShowSkin_MouseMove(0, x, y);
        EXPECT_EQ(f.View().pane.Shown().At(x, y), kMinimiseOn);
        f.SaveOver(f.Pieces() / "sys_mini_on.bmp", 11, 11, 0x00FF00);
        f.Report(f.Pieces());
        EXPECT_EQ(f.View().pane.Shown().At(x, y), 0x00FF00u);
    }
}

TEST(Watch, AfterATreeClickTheRedrawShowsNoHover) {
    WatchFixture f;
    f.program->Click(f.Basic());
    f.Logic().picShowSkin_MouseMove(0, f.PaneX(270), f.PaneY(7));
    f.program->Click(f.Basic());
    f.Report(f.Pieces());
    EXPECT_EQ(f.ShownAt(270, 7), kMinimiseOff);
}

TEST(Watch, TheScreenshotFollowsItsFile) {
    WatchFixture f;
    const fs::path skin = f.root.PathOf("skin");
    WriteSolidBmp(skin / "ss.bmp", 4, 4, 0x123456);
    f.program->Click(f.Skin());
    ASSERT_EQ(f.View().picturesShown.size(), 1u);

    // Saved again: shown again. Removed: the pane is cleared, nothing of it stays.
    f.SaveOver(skin / "ss.bmp", 5, 5, 0x654321);
    f.Report(skin);
    EXPECT_EQ(f.View().picturesShown.size(), 2u);
    fs::remove(skin / "ss.bmp");
    const int cleared = f.View().previewsCleared;
    f.Report(skin);
    EXPECT_EQ(f.View().previewsCleared, cleared + 1);
    EXPECT_TRUE(f.View().showing.empty());
}

TEST(Watch, SkinsMadeOrRemovedUnderARootShowInTheTree) {
    WatchFixture f;
    f.program->Click(f.Basic());
    const NodeId kept = f.Skin();
    WriteSolidBmp(f.root.PathOf("another") / "colorchip.bmp", 32, 8, 0x102030);
    f.Report(f.root.Path());
    EXPECT_EQ(f.View().ChildTexts(f.View().Root(0)), (std::vector<std::string>{"skin", "another"}));
    // The shown skin keeps its node and its picture.
    EXPECT_EQ(f.Skin(), kept);
    EXPECT_EQ(f.ShownAt(270, 7), kMinimiseOff);

    fs::remove_all(f.root.PathOf("another"));
    f.Report(f.root.Path());
    EXPECT_EQ(f.View().ChildTexts(f.View().Root(0)), std::vector<std::string>{"skin"});

    // The shown skin removed: its picture goes with it. Its own folders report too; the mark of
    // a skin that is gone is not checked.
    const int cleared = f.View().previewsCleared;
    const std::size_t marks = f.View().marks.size();
    fs::remove_all(f.root.PathOf("skin"));
    f.Logic().FolderChanged(f.Pieces());
    f.Logic().FolderChanged(f.root.PathOf("skin"));
    f.Report(f.root.Path());
    f.Logic().GatheringElapsed();
    EXPECT_TRUE(f.View().ChildTexts(f.View().Root(0)).empty());
    EXPECT_EQ(f.View().previewsCleared, cleared + 1);
    EXPECT_EQ(f.View().marks.size(), marks);
}

TEST(Watch, MarksComeFromChecksOnAThreadOfTheirOwn) {
    WatchFixture f;
    f.program->Click(f.Basic());
    // Taking the watch away stops the check under way: the skin is checked again when next
    // shown, at once now that there is no watch.
    f.Logic().GatheringElapsed();
    f.Logic().SetFolderWatch(nullptr);
    f.View().marks.clear();
    f.program->Click(f.Skin());
    f.program->Click(f.Basic());
    EXPECT_EQ(f.View().marks.at(f.Skin()), true);

    // A report while the check runs stops it; it runs again once the reports have settled.
    f.Logic().SetFolderWatch(&f.watch);
    f.Report(f.Pieces());
    f.Logic().GatheringElapsed();
    f.View().marks.clear();
    f.Logic().FolderChanged(f.root.Path());
    f.Logic().GatheringElapsed();
    EXPECT_EQ(f.watch.delays.back(), MainController::kMarkDelay);
    f.Logic().GatheringElapsed();
    ASSERT_TRUE(f.watch.RunDelivered());
    EXPECT_EQ(f.View().marks.at(f.Skin()), true);

    // A skin removed after its check has ended, before its mark is taken, is not marked.
    f.Report(f.Pieces());
    f.Logic().GatheringElapsed();
    ASSERT_TRUE(f.watch.AwaitDelivered());
    const NodeId gone = f.Skin();
    f.View().marks.clear();
    fs::remove_all(f.root.PathOf("skin"));
    f.Report(f.root.Path());
    ASSERT_TRUE(f.watch.RunDelivered());
    EXPECT_EQ(f.View().marks.count(gone), 0u);
}

TEST(BackgroundJobs, RunInTurnOffTheCallersThreadAndStopWhenAsked) {
    BackgroundJobs jobs;
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<int> ran;
    std::thread::id where;
    const auto waitFor = [&](std::size_t count) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(20),
                                [&] { return ran.size() >= count; });
    };
    for (int job = 0; job < 3; ++job) {
        jobs.Post([&, job](std::stop_token) {
            const std::lock_guard lock(mutex);
            ran.push_back(job);
            where = std::this_thread::get_id();
            changed.notify_all();
        });
    }
    ASSERT_TRUE(waitFor(3));
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2}));
    EXPECT_NE(where, std::this_thread::get_id());

    // The job under way hears the stop, and the jobs not begun never run.
    std::atomic<bool> started{false}, stopped{false}, later{false};
    jobs.Post([&](std::stop_token stop) {
        started = true;
        while (!stop.stop_requested()) std::this_thread::sleep_for(milliseconds(1));
        stopped = true;
    });
    jobs.Post([&](std::stop_token) { later = true; });
    while (!started) std::this_thread::sleep_for(milliseconds(1));
    jobs.Stop();
    EXPECT_TRUE(stopped);
    EXPECT_FALSE(later);
    // A cancel does not wait for the job under way, which still hears it.
    started = stopped = false;
    std::atomic<bool> cancelled{false};
    jobs.Post([&](std::stop_token stop) {
        started = true;
        while (!cancelled) std::this_thread::sleep_for(milliseconds(1));
        stopped = stop.stop_requested();
    });
    jobs.Post([&](std::stop_token) { later = true; });
    while (!started) std::this_thread::sleep_for(milliseconds(1));
    jobs.Cancel();
    cancelled = true;

    // Jobs given after a stop or a cancel run.
    jobs.Post([&](std::stop_token) {
        const std::lock_guard lock(mutex);
        ran.push_back(3);
        changed.notify_all();
    });
    ASSERT_TRUE(waitFor(4));
    EXPECT_EQ(ran.back(), 3);
    EXPECT_TRUE(stopped);
    EXPECT_FALSE(later);
}

}  // namespace
}  // namespace morvish::test
