// Start-up time, resident memory and the second start of the real program under Xvfb. Idle
// CPU and key-to-screen times are in response_bench.
#include "bench_stats.h"
#include "e2e/x_session.h"
#include <chrono>
#include <cstdlib>
#include <thread>

using namespace std::chrono;
using vx::e2e::XSession;

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
