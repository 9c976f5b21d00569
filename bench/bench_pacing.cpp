// Runs 600 frames paced at 60 fps on the real clock and prints the mean and
// the worst frame interval and the drift of the last frame from its ideal
// time. Exit status 1 when the mean is off by 0.05 ms or more or the drift is
// a frame or more.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/system/clock.h"
#include "platform/system/frame_pacer.h"

int main() {
    constexpr int FRAMES = 600;
    constexpr int FPS = 60;
    constexpr double FRAME_MS = 1000.0 / FPS;
    cSteadyClock clock;
    cFramePacer pacer(&clock);
    std::vector<double> starts;
    starts.reserve(FRAMES + 1);
    for (int i = 0; i <= FRAMES; ++i) {
        pacer.Wait(FPS);
        starts.push_back(std::chrono::duration<double, std::milli>(clock.Now()).count());
    }
    double worst = 0;
    for (int i = 1; i <= FRAMES; ++i) worst = std::max(worst, starts[i] - starts[i - 1]);
    const double total = starts[FRAMES] - starts[0];
    const double mean = total / FRAMES;
    const double drift = total - FRAMES * FRAME_MS;
    std::printf("frames: %d at %d fps (ideal interval %.3f ms)\n", FRAMES, FPS, FRAME_MS);
    std::printf("mean interval:  %.4f ms\n", mean);
    std::printf("worst interval: %.4f ms\n", worst);
    std::printf("drift after %d frames: %.4f ms\n", FRAMES, drift);
    const bool ok = std::fabs(mean - FRAME_MS) < 0.05 && std::fabs(drift) < FRAME_MS;
    std::printf("%s\n", ok ? "OK" : "OUT OF BOUNDS");
    return ok ? 0 : 1;
}
