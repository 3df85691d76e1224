// Measures the paths every preview takes: a Refresh of each window kind (and of the all-windows
// view), and a MouseMove over a button of each window, which redraws the whole window and lays
// the button's hover image over it.
//
//   build/bin/morvish-bench [--benchmark_repetitions=9 --benchmark_report_aggregates_only]
//
// The skin is MORVISH_BENCH_SKIN when set, else the first complete demo skin (one with a colour
// chip) in the skins folder beside the program.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <vector>

#include "platform/Platform.h"
#include "render/PreviewPane.h"
#include "render/clsSkinMng.h"
#include "windows/WindowSlots.h"

namespace fs = std::filesystem;
using namespace morvish;

namespace {

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
    return skins.empty() ? fs::path() : skins.front();
}

struct Skin {
    Skin() : pane(1000, 800), manager(kWindowSlots) { manager.ClassInitialize(pane, FindSkin()); }
    MemoryPreviewPane pane;
    clsSkinMng manager;
};

Skin& SharedSkin() {
    static Skin skin;
    return skin;
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

void Refresh(benchmark::State& state, int slot) {
    clsTessarymInterface* window = SharedSkin().manager.Window(slot);
    for (auto _ : state) {
        SurfaceResult picture = window->Refresh();
        if (!picture) {
            state.SkipWithError(picture.error().message.c_str());
            break;
        }
        benchmark::DoNotOptimize(picture->get());
    }
}

void MouseMove(benchmark::State& state, ButtonPoint button) {
    clsTessarymInterface* window = SharedSkin().manager.Window(button.slot);
    for (auto _ : state) {
        SurfaceResult picture = window->MouseMove(0, button.x, button.y);
        if (!picture) {
            state.SkipWithError(picture.error().message.c_str());
            break;
        }
        benchmark::DoNotOptimize(picture->get());
    }
}

// The whole road of a mouse move in the desktop program: the manager translates the point,
// asks the window and presents the picture centred in the pane.
void ManagerMouseMove(benchmark::State& state) {
    clsSkinMng& manager = SharedSkin().manager;
    if (!manager.Refresh(2)) {
        state.SkipWithError("the basic window cannot be drawn");
        return;
    }
    for (auto _ : state) {
        Result<void> done = manager.MouseMove(0, 570, 365);
        benchmark::DoNotOptimize(done);
    }
}

const bool kRegistered = [] {
    for (const WindowSlot& slot : kWindowSlots) {
        benchmark::RegisterBenchmark(("Refresh/" + std::string(slot.kind)).c_str(), Refresh,
                                     slot.number)
            ->Unit(benchmark::kMicrosecond);
    }
    for (const ButtonPoint& button : kButtons) {
        benchmark::RegisterBenchmark((std::string("MouseMove/") + button.name).c_str(), MouseMove,
                                     button)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("ManagerMouseMove/basic", ManagerMouseMove)
        ->Unit(benchmark::kMicrosecond);
    return true;
}();

}  // namespace

int main(int argc, char** argv) {
    const fs::path skin = FindSkin();
    if (skin.empty()) {
        std::cerr << "morvish-bench: no skin: set MORVISH_BENCH_SKIN or build the demo skins\n";
        return 2;
    }
    std::cerr << "morvish-bench: skin " << platform::DisplayText(skin) << "\n";
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
