// The cost of one wheel event through the hook logic, classification included, over a fake window tree of 1,000
// windows with scroll bar controls. The hook runs inside every program that gets mouse input, so the tail matters:
// the median and the 99th percentile are computed from per-event timings and reported as counters (microseconds).
#include "core/Hooks.h"
#include "core/Input.h"
#include "tests/FakeWindows.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using namespace ptrassist;
using ptrassist::testing::FakeWindows;

constexpr int TreeSize = 1000;

struct Tree {
    FakeWindows Sys;
    WindowId Frame = 0;
    WindowId Bare = 0;      // no scroll style, no bar of its own: the whole tree is searched for one
    WindowId Scrolling = 0; // has its own vertical scroll bar style
    WindowId Pane = 0;      // has bar controls as direct children

    Tree() {
        Sys.Record = false;
        Frame = Sys.Add("AppFrame", Style::SysMenu, 0, {0, 0, 1600, 1200});
        constexpr int panes = 10;
        constexpr int perPane = 96;
        for (int p = 0; p < panes; ++p) {
            int32_t left = p * 160;
            WindowId pane = Sys.Add("Pane", Style::Child, Frame, {left, 0, left + 160, 1200});
            for (int i = 0; i < perPane; ++i) {
                int32_t top = i * 12;
                Rect r{left, top, left + 150, top + 12};
                switch (i % 6) {
                case 0:
                    Sys.Add("ScrollBar", Style::Child | Style::BarVertical, pane,
                            {left + 140, top, left + 160, top + 120});
                    break;
                case 1:
                    Sys.Add("ScrollBar", Style::Child, pane, {left, top, left + 140, top + 20});
                    break;
                case 2:
                    Sys.Add("Static", Style::Child, pane, r);
                    break;
                case 3:
                    Sys.Add("Button", Style::Child, pane, r);
                    break;
                case 4:
                    Sys.Add("Edit", Style::Child, pane, r);
                    break;
                default:
                    Sys.Add("SysHeader32", Style::Child, pane, r);
                    break;
                }
            }
            if (p == 4) {
                Pane = pane;
            }
        }
        Scrolling = Sys.Add("Edit", Style::Child | Style::VScroll, Frame, {0, 0, 100, 100});
        Bare = Sys.Add("Canvas", Style::Child, Frame, {0, 0, 1600, 1200});
        // The desktop window counts as one of the fake system's windows.
        while (Sys.Add("Static", Style::Child, Frame) < 0x100 + TreeSize - 1) {
        }
    }
};

void WheelEvent(benchmark::State& state) {
    Tree tree;
    WindowId over = state.range(0) == 0 ? tree.Scrolling : state.range(0) == 1 ? tree.Pane : tree.Bare;
    tree.Sys.UnderCursor = over;
    MouseSettingsBlock settings{};
    settings.WheelEmulation = 1;
    settings.LinesPerNotch = 3;
    SharedHookState shared = InitialHookState();
    shared.PlatformKind = PlatformWin2000;
    ProcessState process;
    HookContext ctx{tree.Sys, settings, shared, process};
    MouseHookEvent event;
    event.Message = Msg::MouseWheel;
    event.Window = over;
    event.Position = {700, 555};
    event.MouseData = static_cast<uint32_t>(MakeLong(0, 120));

    std::vector<double> micros;
    micros.reserve(static_cast<size_t>(state.max_iterations));
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        bool taken = MouseHook(ctx, 0, event);
        auto stop = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(taken);
        micros.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
    }
    if (tree.Sys.CallCount != static_cast<size_t>(state.iterations()) * 4) {
        state.SkipWithError("each event must post three line requests and one end-scroll");
        return;
    }
    std::sort(micros.begin(), micros.end());
    auto at = [&](double q) { return micros[static_cast<size_t>(q * static_cast<double>(micros.size() - 1))]; };
    state.counters["p50_us"] = at(0.50);
    state.counters["p99_us"] = at(0.99);
    state.counters["max_us"] = micros.back();
    state.counters["windows"] = TreeSize;
    state.SetLabel(state.range(0) == 0 ? "own scroll style" : state.range(0) == 1 ? "bar child" : "whole-tree search");
}

BENCHMARK(WheelEvent)->Arg(0)->Arg(1)->Arg(2)->Iterations(100000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
