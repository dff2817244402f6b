#pragma once
// Median and 95th percentile of a set of samples, and the figure line the bench script reads.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/types.h>
#include <unistd.h>
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

// User and system CPU time a process has used so far, from /proc.
inline double cpuSeconds(pid_t pid) {
    std::ifstream f("/proc/" + std::to_string(pid) + "/stat");
    const std::string st((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    std::istringstream rest(st.substr(st.rfind(')') + 2));
    std::string field;
    unsigned long long ticks = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i)
        if (i == 14 || i == 15) ticks += std::stoull(field);
    return static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

} // namespace vx::bench
