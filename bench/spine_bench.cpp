// Start-up time, resident memory, idle CPU of the key loop, key-to-pixels latency and the
// second start of the real program under Xvfb.
#include "bench_stats.h"
#include "e2e/x_session.h"
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>

using namespace std::chrono;
using vx::e2e::XSession;

namespace {

double cpuSeconds(pid_t pid) {
    std::ifstream f("/proc/" + std::to_string(pid) + "/stat");
    std::string s((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    std::istringstream rest(s.substr(s.rfind(')') + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14) utime = std::stoull(field);
        if (i == 15) stime = std::stoull(field);
    }
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

} // namespace

int main() {
    setenv("VELOTRIX_BIN", VELOTRIX_BIN, 0);
    std::vector<double> startups;
    for (int run = 0; run < 5; ++run) {
        XSession s(1024, 768);
        const auto t0 = steady_clock::now();
        if (!s.startApp()) return 1;
        startups.push_back(duration<double, std::milli>(steady_clock::now() - t0).count());
    }
    vx::bench::figure("startup to main window mapped (median of 5)",
                      vx::bench::percentile(startups, 0.5), "ms", 150);

    XSession s(1024, 768);
    if (!s.startApp()) return 1;
    std::this_thread::sleep_for(2s);
    vx::bench::figure("resident memory after start-up", s.residentMegabytes(), "MB", 60);

    const double c0 = cpuSeconds(s.appPid());
    std::this_thread::sleep_for(10s);
    const double idle = (cpuSeconds(s.appPid()) - c0) / 10.0 * 100.0;
    vx::bench::figure("idle key loop CPU over 10 s", idle, "% of one core", 1.0);

    std::vector<double> latencies;
    const std::pair<const char*, unsigned> keys[] = {{"1", 0xFF0000}, {"2", 0x00FF00}};
    for (int i = 0; i < 60; ++i) {
        const auto [key, rgb] = keys[i % 2];
        const auto t0 = steady_clock::now();
        s.keyDown(key);
        while (s.pixel(512, 384) != rgb && steady_clock::now() - t0 < 2s) {
        }
        latencies.push_back(duration<double, std::milli>(steady_clock::now() - t0).count());
        s.keyUp(key);
        std::this_thread::sleep_for(milliseconds(60 + (i * 7) % 40)); // spread over the poll cycle
    }
    vx::bench::figure("key to pixels, median of 60", vx::bench::percentile(latencies, 0.5), "ms",
                      66.7);
    vx::bench::figure("key to pixels, 95th percentile", vx::bench::percentile(latencies, 0.95),
                      "ms", 66.7);

    // A second start finds the running copy, brings it forward and ends.
    std::vector<double> seconds;
    for (int i = 0; i < 5; ++i) {
        const auto t0 = steady_clock::now();
        if (s.waitOther(s.startOther(), 10s) != 0) return 1;
        seconds.push_back(duration<double, std::milli>(steady_clock::now() - t0).count());
    }
    vx::bench::figure("second start to its exit (median of 5)", vx::bench::percentile(seconds, 0.5),
                      "ms", 1000);
    return 0;
}
