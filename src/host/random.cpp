#include "host/random.h"
#include <chrono>
#include <cstring>

namespace vx {
namespace {
// A 24-bit linear congruential generator; every state maps to a distinct value in [0, 1).
std::uint32_t state = 0x50000;

std::uint32_t mixSeed(double seed) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &seed, sizeof bits);
    bits ^= bits >> 33;
    bits *= 0xff51afd7ed558ccdULL;
    bits ^= bits >> 29;
    return static_cast<std::uint32_t>(bits);
}
} // namespace

Single Rnd() {
    state = (state * 1140671485u + 12820163u) & 0xFFFFFFu;
    return static_cast<Single>(state) / 16777216.0f;
}

void Randomize(double seed) {
    state = mixSeed(seed) & 0xFFFFFFu;
}

void Randomize() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    Randomize(
        static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

} // namespace vx
