// The core work of one tracking tick and of one mouse event, without the window system:
// what the 15 ms timer and the hooks cost before any Win32 call.
#include "base/Geometry.h"
#include "hook/MouseMessage.h"
#include "hook/RingDispatch.h"
#include "overlays/HaloGeometry.h"

#include <benchmark/benchmark.h>

namespace {

void BM_TrackingTickPlacement(benchmark::State& state) {
    const Rect desktop{0, 0, 1920, 1080};
    Point pointer{0, 0};
    for (auto _ : state) {
        pointer.x = (pointer.x + 7) % 1920;
        pointer.y = (pointer.y + 3) % 1080;
        // Halo, both wheel arrows, a tracking ring, the mouse image and the keyboard display.
        benchmark::DoNotOptimize(CentreHaloOnPointer(pointer, {201, 201}));
        benchmark::DoNotOptimize(CentreOnPointer(pointer, {7, 16}));
        benchmark::DoNotOptimize(CentreOnPointer(pointer, {7, 16}));
        benchmark::DoNotOptimize(CentreOnPointer(pointer, {89, 89}));
        benchmark::DoNotOptimize(PositionNearPointer(pointer, {84, 120}, 1.0, 11, desktop));
        benchmark::DoNotOptimize(PositionNearPointer(pointer, {180, 60}, 1.0, -11, desktop));
    }
}
BENCHMARK(BM_TrackingTickPlacement);

void BM_FullScreenHoleTick(benchmark::State& state) {
    Point pointer{0, 0};
    Rect last;
    int64_t repaints = 0;
    for (auto _ : state) {
        pointer.x = (pointer.x + 1) % 1920;
        const Rect next = HolePaintRect(FullScreenHole(pointer, {0, 0}, 100));
        if (next != last) ++repaints;
        last = next;
    }
    benchmark::DoNotOptimize(repaints);
}
BENCHMARK(BM_FullScreenHoleTick);

void BM_MouseEventPath(benchmark::State& state) {
    MouseMessageTranslator translator;
    RingDispatch rings;
    const uint32_t messages[] = {wm::LButtonDown, wm::LButtonUp, wm::NcRButtonDown, wm::RButtonUp, wm::MouseWheel};
    size_t i = 0;
    for (auto _ : state) {
        const uint32_t message = messages[i++ % 5];
        if (const auto event = translator.Translate(message, 1)) benchmark::DoNotOptimize(rings.ClickIndicatorFor(event->code));
    }
}
BENCHMARK(BM_MouseEventPath);

}  // namespace
