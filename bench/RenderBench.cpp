// Measures the paths every preview takes, against the cost of copying one frame of the
// all-windows view (850 × 676 pixels with memcpy: nothing that shows a picture can be cheaper):
//
//   FrameCopy                      memcpy of one 850 × 676 frame
//   Refresh/all, Refresh/<kind>    a whole window drawn anew
//   Refresh/all/held               the same while the last picture is still held, as shown
//   MouseMove/<kind>/<button>      the pointer over a button: the window and its hover image
//   ManagerMouseMove/<kind>        the same through the skin manager, presented into a
//                                  1000 × 800 pane, as the desktop program does it
//   NoCache/...                    the same with every bitmap read from disk at every redraw
//   OpenSkins/10000                a skin tree of 10,000 skins made (model and managers, no
//                                  drawing); then again after five rescans of its root
//
// and ends with a table of every figure as a multiple of FrameCopy.
//
//   build-release/bin/morvish-bench [--benchmark_repetitions=9 --benchmark_report_aggregates_only]
//
// The skin is MORVISH_BENCH_SKIN when set, else the first demo skin with a colour chip in the
// skins folder beside the program that draws every window (one demo skin is broken on purpose). The
// 10,000 skins are made in a temporary folder and removed at the end.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "app/SkinTree.h"
#include "platform/Platform.h"
#include "render/BmpDecoder.h"
#include "render/PictureCache.h"
#include "render/PreviewPane.h"
#include "render/clsEmuAll.h"
#include "render/clsSkinMng.h"
#include "windows/WindowSlots.h"

namespace fs = std::filesystem;
using namespace morvish;

namespace {

// ---- What is measured -------------------------------------------------------------------------

// The pane of the desktop program at a usual window size.
constexpr int kPaneWidth = 1000;
constexpr int kPaneHeight = 800;
constexpr int kPaneBorder = 2;

fs::path FindSkin() {
    if (const char* chosen = std::getenv("MORVISH_BENCH_SKIN")) return chosen;
    std::vector<fs::path> skins;
    std::error_code error;
    for (const auto& entry :
         fs::directory_iterator(platform::ExecutableDirectory() / "skins", error)) {
        if (entry.is_directory() && fs::exists(entry.path() / "colorchip.bmp"))
            skins.push_back(entry.path());
    }
    std::sort(skins.begin(), skins.end());
    // The first that draws every window: a demo skin may be broken on purpose.
    for (const fs::path& skin : skins) {
        MemoryPreviewPane pane(kPaneWidth, kPaneHeight);
        clsSkinMng manager(kWindowSlots);
        manager.ClassInitialize(pane, skin);
        if (manager.Refresh(1)) return skin;
    }
    return fs::path();
}

struct Skin {
    Skin() : pane(kPaneWidth, kPaneHeight), manager(kWindowSlots) {
        manager.ClassInitialize(pane, FindSkin());
    }
    MemoryPreviewPane pane;
    clsSkinMng manager;
};

Skin& SharedSkin() {
    static Skin skin;
    return skin;
}

// Switches between keeping decoded bitmaps and reading every bitmap at every redraw.
void UseCache(bool on) {
    if (gPictureCache.Enabled() != on) gPictureCache.SetEnabled(on);
}

// One redraw as the skin manager starts it.
template <class Draw>
void Redraw(Draw draw) {
    PictureCache::Redraw redraw;
    draw();
}

// A point on a button of each window, in the window's own coordinates.
struct ButtonPoint {
    const char* name;
    int slot, x, y;
};
constexpr ButtonPoint kButtons[] = {
    {"basic/status", 2, 210, 25},   {"msgbox/menu1", 3, 40, 30},   {"status/minimise", 4, 255, 6},
    {"option/textbox", 5, 245, 68}, {"item/close", 6, 270, 6},     {"equip/items", 7, 130, 90},
    {"chat/ok", 8, 195, 100},       {"party/message1", 9, 8, 118}, {"skill/use", 10, 180, 165},
    {"trade/ok", 11, 6, 100},       {"etc/back", 12, 5, 110},
};

void FrameCopy(benchmark::State& state) {
    const std::size_t pixels = std::size_t(clsEmuAll::kWidth) * clsEmuAll::kHeight;
    std::vector<std::uint32_t> from(pixels, 0x336699);
    std::vector<std::uint32_t> to(pixels);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), pixels * sizeof(std::uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}

void Refresh(benchmark::State& state, int slot, bool cache) {
    UseCache(cache);
    clsTessarymInterface* window = SharedSkin().manager.Window(slot);
    for (auto _ : state) {
        Redraw([&] {
            SurfaceResult picture = window->Refresh();
            if (!picture) state.SkipWithError(picture.error().message.c_str());
            benchmark::DoNotOptimize(picture);
        });
    }
    // What the skin's pictures take in the cache once every window has been drawn.
    if (slot == 1 && cache) {
        state.counters["cache_MB"] = double(gPictureCache.Counts().bytes) / (1024.0 * 1024.0);
    }
    UseCache(true);
}

// The all-windows view while the last picture is still held, as the skin manager holds what it
// shows: the view must then copy its frame before it changes it.
void RefreshHeld(benchmark::State& state) {
    clsTessarymInterface* window = SharedSkin().manager.Window(1);
    SurfacePtr shown;
    for (auto _ : state) {
        Redraw([&] {
            SurfaceResult picture = window->Refresh();
            if (!picture) state.SkipWithError(picture.error().message.c_str());
            benchmark::DoNotOptimize(picture);
            if (picture) shown = std::move(*picture);
        });
    }
}

void MouseMove(benchmark::State& state, ButtonPoint button) {
    clsTessarymInterface* window = SharedSkin().manager.Window(button.slot);
    for (auto _ : state) {
        Redraw([&] {
            SurfaceResult picture = window->MouseMove(0, button.x, button.y);
            if (!picture) state.SkipWithError(picture.error().message.c_str());
            benchmark::DoNotOptimize(picture);
        });
    }
}

// The whole road of a mouse move in the desktop program: the manager translates the point,
// asks the window and presents the picture centred in the pane.
void ManagerMouseMove(benchmark::State& state, ButtonPoint button, bool cache) {
    UseCache(cache);
    clsSkinMng& manager = SharedSkin().manager;
    if (!manager.Refresh(button.slot)) {
        state.SkipWithError("the window cannot be drawn");
        return;
    }
    // The button's point in the pane, where the manager centres the window.
    const RECT drawn = manager.Window(button.slot)->getDrawRect();
    const int x = std::max(kPaneWidth - 2 * kPaneBorder - drawn.Right, 0) / 2 + button.x;
    const int y = std::max(kPaneHeight - 2 * kPaneBorder - drawn.Bottom, 0) / 2 + button.y;
    for (auto _ : state) {
        Result<void> done = manager.MouseMove(0, x, y);
        if (!done) state.SkipWithError(done.error().message.c_str());
        benchmark::DoNotOptimize(done);
    }
    UseCache(true);
}

// ---- Opening many skins ------------------------------------------------------------------------

constexpr int kManySkins = 10000;
constexpr int kRescans = 5;

// A folder of small skins: a colour chip and an empty basic_interface folder each.
class ManySkins {
  public:
    ManySkins() {
        root_ = fs::temp_directory_path() / ("morvish-bench-" + std::to_string(::getpid()));
        fs::create_directories(root_);
        Bitmap chip{32, 8, std::vector<std::uint32_t>(32 * 8, 0x8040C0)};
        const std::vector<std::uint8_t> bytes = EncodeBmp24(chip);
        char name[32];
        for (int i = 0; i < kManySkins; ++i) {
            std::snprintf(name, sizeof name, "skin%05d", i);
            const fs::path skin = root_ / name;
            fs::create_directories(skin / "basic_interface");
            std::ofstream(skin / "colorchip.bmp", std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        }
    }
    ~ManySkins() {
        std::error_code error;
        fs::remove_all(root_, error);
    }
    const fs::path& Root() const { return root_; }

  private:
    fs::path root_;
};

ManySkins& SharedManySkins() {
    static ManySkins skins;
    return skins;
}

// Bytes the program holds on its heap now.
double HeapMegabytes() {
#if defined(__GLIBC__)
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
#else
    return 0;
#endif
}

// The program's resident memory now.
double ResidentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Opens the root as start-up does, then (with `rescans`) rescans it that many times; the time
// measured is that of the last scan, the memory what the tree holds after it.
void OpenSkins(benchmark::State& state, int rescans) {
    const fs::path root = SharedManySkins().Root();
    MemoryPreviewPane pane(kPaneWidth, kPaneHeight);
    for (auto _ : state) {
        state.PauseTiming();
        const double heapBefore = HeapMegabytes();
        auto tree = std::make_unique<SkinTree>(pane, kWindowSlots);
        fs::path path = root;
        NodeId node = kNoNode;
        for (int scan = 0; scan <= rescans; ++scan) {
            if (scan == rescans) state.ResumeTiming();
            if (node != kNoNode) tree->RemoveChildren(node);
            node = tree->ScanSkinRoot(path, node);
            if (scan == rescans) state.PauseTiming();
        }
        state.counters["heap_MB"] = HeapMegabytes() - heapBefore;
        state.counters["rss_MB"] = ResidentMegabytes();
        state.counters["skins"] = double(tree->Find(node)->children.size());
        tree.reset();
        state.ResumeTiming();
    }
}

// ---- The table of ratios ----------------------------------------------------------------------

// Passes everything to the console and keeps each figure (the median when runs are repeated) to
// print the table of ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& reports) override {
        ConsoleReporter::ReportRuns(reports);
        for (const Run& run : reports) {
            const bool median = run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !median) continue;
            Figure& figure = figures_[run.run_name.str()];
            if (figure.median && !median) continue;
            figure.median = median;
            figure.microseconds = run.GetAdjustedRealTime() *
                                  benchmark::GetTimeUnitMultiplier(benchmark::kMicrosecond) /
                                  benchmark::GetTimeUnitMultiplier(run.time_unit);
            const auto heap = run.counters.find("heap_MB");
            figure.megabytes = heap != run.counters.end() ? heap->second.value : -1;
            if (std::find(order_.begin(), order_.end(), run.run_name.str()) == order_.end())
                order_.push_back(run.run_name.str());
        }
    }

    void PrintTable() const {
        const auto frame = figures_.find("FrameCopy");
        if (frame == figures_.end() || frame->second.microseconds <= 0) return;
        std::printf("\n%-42s %12s %14s %10s\n", "figure", "time (us)", "frame copies", "heap MB");
        for (const std::string& name : order_) {
            const Figure& figure = figures_.at(name);
            std::printf("%-42s %12.1f %14.2f", name.c_str(), figure.microseconds,
                        figure.microseconds / frame->second.microseconds);
            if (figure.megabytes >= 0) std::printf(" %10.1f", figure.megabytes);
            std::printf("\n");
        }
    }

  private:
    struct Figure {
        double microseconds = 0;
        double megabytes = -1;
        bool median = false;
    };
    std::map<std::string, Figure> figures_;
    std::vector<std::string> order_;
};

void RegisterAll() {
    benchmark::RegisterBenchmark("FrameCopy", FrameCopy)->Unit(benchmark::kMicrosecond);
    for (const WindowSlot& slot : kWindowSlots) {
        benchmark::RegisterBenchmark(("Refresh/" + std::string(slot.kind)).c_str(), Refresh,
                                     slot.number, true)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("Refresh/all/held", RefreshHeld)->Unit(benchmark::kMicrosecond);
    for (const ButtonPoint& button : kButtons) {
        benchmark::RegisterBenchmark((std::string("MouseMove/") + button.name).c_str(), MouseMove,
                                     button)
            ->Unit(benchmark::kMicrosecond);
    }
    for (const ButtonPoint& button : kButtons) {
        const std::string kind(kWindowSlots[std::size_t(button.slot - 1)].kind);
        benchmark::RegisterBenchmark(("ManagerMouseMove/" + kind).c_str(), ManagerMouseMove, button,
                                     true)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("NoCache/Refresh/all", Refresh, 1, false)
        ->Unit(benchmark::kMicrosecond);
    for (const ButtonPoint& button : kButtons) {
        const std::string kind(kWindowSlots[std::size_t(button.slot - 1)].kind);
        benchmark::RegisterBenchmark(("NoCache/ManagerMouseMove/" + kind).c_str(), ManagerMouseMove,
                                     button, false)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("OpenSkins/10000", OpenSkins, 0)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("OpenSkins/10000/after5rescans", OpenSkins, kRescans)
        ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path skin = FindSkin();
    if (skin.empty()) {
        std::cerr << "morvish-bench: no skin: set MORVISH_BENCH_SKIN or build the demo skins\n";
        return 2;
    }
    std::cerr << "morvish-bench: skin " << platform::DisplayText(skin) << "\n";
    benchmark::Initialize(&argc, argv);
    RegisterAll();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintTable();
    benchmark::Shutdown();
    return 0;
}
