#pragma once
// Median and 95th percentile of a set of samples, and the figure line the bench script reads.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vx::bench {

inline double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t i =
        std::min(v.size() - 1, static_cast<std::size_t>(p * (v.size() - 1) + 0.5));
    return v[i];
}

// "name: value unit (budget ..., within|OUTSIDE)"
inline void figure(const std::string& name, double value, const std::string& unit, double budget,
                   bool lowerIsBetter = true) {
    const bool ok = lowerIsBetter ? value <= budget : value >= budget;
    std::printf("%s: %.2f %s (budget %s %.2f %s: %s)\n", name.c_str(), value, unit.c_str(),
                lowerIsBetter ? "<=" : ">=", budget, unit.c_str(), ok ? "within" : "OUTSIDE");
    std::fflush(stdout);
}

// CPU time the threads of a process have used so far, to the nanosecond: the scheduler's own
// count in /proc. (The clock-tick counts of /proc/PID/stat are too coarse for a process that
// is idle nearly all the time.)
inline double cpuSeconds(pid_t pid) {
    unsigned long long ns = 0;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code ec;
    for (const auto& t : std::filesystem::directory_iterator(tasks, ec)) {
        std::ifstream f(t.path() / "schedstat");
        unsigned long long onCpu = 0;
        if (f >> onCpu) ns += onCpu;
    }
    return static_cast<double>(ns) / 1e9;
}

} // namespace vx::bench
