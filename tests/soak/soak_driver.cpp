// Runs the real program under its own Xvfb for a given time with random pattern keys,
// Escape, the screen effect (ended by a click each time) and clicks on the palette, sampling
// resident memory every 10 s. Fails when memory grows by more than 2 MB after the warm-up or
// when the program no longer answers a key at the end.
#include "e2e/x_session.h"
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono;
using vx::e2e::XSession;

namespace {

// Back to the control window alone, so that every sample sees the program in the same state
// and not, say, in the middle of an effect with two screen-sized images alive.
void settle(XSession& s) {
    for (int i = 0; i < 5 && s.findWindow("frmEff", true); ++i) {
        s.click(s.width() / 2, s.height() / 2);
        XSession::waitFor([&] { return !s.findWindow("frmEff", true); }, milliseconds(500));
    }
    s.holdUntil(
        {"Escape"}, [&] { return !s.findWindow("Form1", true); }, milliseconds(2000));
    std::this_thread::sleep_for(milliseconds(300));
}

bool answers(XSession& s, const char* key, unsigned rgb) {
    return s.holdUntil(
        {key}, [&] { return s.pixel(s.width() / 2, s.height() / 2) == rgb; }, milliseconds(2000));
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60;
    XSession s(1024, 768);
    // A fixed mmap threshold hands every screen-sized image back to the system when it is
    // freed; with glibc's sliding one the heap keeps one now and then, and memory swings by
    // an image from sample to sample without any leak.
    if (!s.startApp("GLIBC_TUNABLES=glibc.malloc.mmap_threshold=131072")) {
        std::puts("soak: the program did not start");
        return 1;
    }
    const vx::e2e::Rect main = s.geometry(s.mainWindow());
    std::mt19937 rng(12345);
    const std::vector<std::vector<const char*>> keys = {
        {"1"}, {"2"}, {"3"},      {"4"},      {"5"},      {"6"},      {"7"},     {"8"},
        {"9"}, {"0"}, {"v", "g"}, {"h", "g"}, {"v", "l"}, {"h", "l"}, {"Escape"}};
    // Swatches and menu labels of the control window, in twips from its client origin.
    const std::vector<std::pair<int, int>> palette = {
        {990, 1305},  {4005, 1305}, {7020, 1305}, {990, 1890}, {4005, 1890},
        {7020, 1890}, {990, 2475},  {4005, 2475}, {990, 3105}, {4005, 3105},
        {7020, 3105}, {990, 3690},  {4005, 3690}};

    const auto start = steady_clock::now();
    auto nextSample = start;
    std::vector<std::pair<double, double>> samples; // seconds, MB
    int actions = 0, effects = 0;
    while (duration<double>(steady_clock::now() - start).count() < seconds) {
        if (!s.appRunning()) {
            std::puts("soak: the program ended during the run");
            return 1;
        }
        if (steady_clock::now() >= nextSample) {
            settle(s);
            const double t = duration<double>(steady_clock::now() - start).count();
            samples.emplace_back(t, s.residentMegabytes());
            std::printf("soak: t=%.0f s rss=%.2f MB\n", t, samples.back().second);
            std::fflush(stdout);
            nextSample += 10s;
        }
        const int what = static_cast<int>(rng() % 20);
        if (what < 15) {
            const auto& k = keys[rng() % keys.size()];
            for (const char* key : k) s.keyDown(key);
            std::this_thread::sleep_for(milliseconds(120));
            for (const char* key : k) s.keyUp(key);
        } else if (what < 17) {
            // The effect: a click ends it; a test window in front takes the first click.
            s.keyDown("t");
            std::this_thread::sleep_for(milliseconds(150));
            s.keyUp("t");
            std::this_thread::sleep_for(milliseconds(400));
            for (int i = 0; i < 3; ++i) {
                s.click(s.width() / 2, s.height() / 2);
                std::this_thread::sleep_for(milliseconds(150));
            }
            ++effects;
        } else {
            s.keyDown("Escape");
            std::this_thread::sleep_for(milliseconds(120));
            s.keyUp("Escape");
            std::this_thread::sleep_for(milliseconds(100));
            const auto [x, y] = palette[rng() % palette.size()];
            s.click(main.x + x / 15 + 20, main.y + y / 15 + 8);
        }
        ++actions;
        std::this_thread::sleep_for(milliseconds(30 + rng() % 100));
    }

    // Still answering: a pattern key after all that.
    for (int i = 0; i < 3 && !answers(s, "1", 0xFF0000); ++i)
        s.click(s.width() / 2, s.height() / 2);
    const bool alive = answers(s, "2", 0x00FF00);
    settle(s);
    samples.emplace_back(duration<double>(steady_clock::now() - start).count(),
                         s.residentMegabytes());

    // Flat after the warm-up (the first minute, or the first half of a shorter run): the peak
    // of the samples that follow stays within 2 MB of the peak just after the warm-up. Peaks,
    // because a screen-sized buffer the allocator has or has not given back yet makes single
    // samples jump by a few MB either way without any growth.
    const double warmUp = std::min(60.0, seconds / 2);
    const double firstWindow = warmUp + std::max(20.0, (seconds - warmUp) / 4);
    double base = 0, later = 0, low = 1e9;
    for (auto [t, mb] : samples) {
        if (t < warmUp) continue;
        low = std::min(low, mb);
        (t < firstWindow ? base : later) = std::max(t < firstWindow ? base : later, mb);
    }
    const double worst = later > 0 ? later - base : 0;
    std::printf("soak: %d actions, %d effects, %zu samples, after warm-up %.2f..%.2f MB, peak "
                "growth %.2f MB, answers keys at the end: %s\n",
                actions, effects, samples.size(), low, std::max(base, later), worst,
                alive ? "yes" : "no");
    const bool ok = alive && worst <= 2.0;
    std::puts(ok ? "soak: passed" : "soak: FAILED");
    return ok ? 0 : 1;
}
