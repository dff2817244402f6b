#pragma once
// What the fuzz targets share: reading typed values from the fuzzer's bytes, and the check
// that turns a broken promise into a finding.
#include "host/errors.h"
#include "host/vb_types.h"
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>

// A broken invariant: reported with its place and ended like a crash, so libFuzzer keeps
// the input.
#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);          \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace vx::fuzz {

// Consumes the input front to back; reads past the end give zeros and empty texts.
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : p_(data), left_(size) {}

    bool empty() const { return left_ == 0; }
    std::size_t left() const { return left_; }

    std::uint8_t byte() {
        if (!left_) return 0;
        --left_;
        return *p_++;
    }
    template <typename T> T raw() {
        T v{};
        unsigned char buf[sizeof(T)] = {};
        for (std::size_t i = 0; i < sizeof(T); ++i) buf[i] = byte();
        std::memcpy(&v, buf, sizeof(T));
        return v;
    }
    // A length-prefixed run of bytes, at most max long.
    std::string bytes(std::size_t max) {
        std::size_t n = byte();
        if (n > max) n = max;
        if (n > left_) n = left_;
        std::string s(reinterpret_cast<const char*>(p_), n);
        p_ += n;
        left_ -= n;
        return s;
    }
    // A length-prefixed run of UTF-16 units, little-endian.
    String text(std::size_t max) {
        std::size_t n = byte();
        if (n > max) n = max;
        String s;
        for (std::size_t i = 0; i < n && left_ >= 2; ++i) s += raw<char16_t>();
        return s;
    }
    // Everything that is left, as UTF-16 units (an odd last byte is dropped).
    String restAsText() {
        String s;
        while (left_ >= 2) s += raw<char16_t>();
        left_ = 0;
        return s;
    }

  private:
    const std::uint8_t* p_;
    std::size_t left_;
};

// Runs f; a numbered error is an accepted outcome when its number is one of those the
// routine documents, anything else escapes to libFuzzer as a finding.
template <typename F> bool acceptErrors(std::initializer_list<Long> documented, F&& f) {
    try {
        f();
        return true;
    } catch (const VbError& e) {
        for (Long n : documented)
            if (e.number() == n) return false;
        std::fprintf(stderr, "undocumented error %d: %s\n", static_cast<int>(e.number()), e.what());
        std::abort();
    }
}

} // namespace vx::fuzz
