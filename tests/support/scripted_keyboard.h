#pragma once
// A keyboard whose key states a test sets, recording every query and every synthetic key.
#include "platform/keyboard.h"
#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <sys/timerfd.h>
#include <thread>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace vx::test {

class ScriptedKeyboard : public win::KeyboardSource {
  public:
    struct Sent {
        win::BYTE vk, scan;
        win::DWORD flags;
        bool operator==(const Sent&) const = default;
    };

    // Key held down now (bit 15) and pressed since its last query (bit 0).
    void press(int vk) { state[vk] = static_cast<win::SHORT>(0x8001); }
    void release(int vk) { state[vk] = static_cast<win::SHORT>(state[vk] & 1); }
    // Pressed and released again since the last query: only bit 0.
    void tap(int vk) { state[vk] = 1; }
    void clear() { state.clear(); }

    win::SHORT asyncState(int vKey) override {
        queried.push_back(vKey);
        const win::SHORT s = state[vKey];
        state[vKey] = static_cast<win::SHORT>(s & ~1); // the query clears bit 0
        return s;
    }
    void sendKey(win::BYTE vk, win::BYTE scan, win::DWORD flags, std::uintptr_t) override {
        sent.push_back({vk, scan, flags});
        if (onSend) onSend();
    }
    win::KeyScope scope() const override { return win::KeyScope::Global; }
    // A press that comes while the program waits: key vk goes down at the given time; vk 0
    // is a mouse click.
    void pressAt(std::chrono::steady_clock::time_point at, int vk) { coming.push_back({at, vk}); }
    bool waitForPress(std::chrono::steady_clock::time_point deadline) override {
        if (coming.empty() || coming.front().at > deadline) {
            std::this_thread::sleep_until(deadline);
            return false;
        }
        std::this_thread::sleep_until(coming.front().at);
        if (coming.front().vk) press(coming.front().vk);
        coming.pop_front();
        return true;
    }
    // The idle pause waits on a timer descriptor armed for the next coming press.
    int pressDescriptor() override {
        if (timer_ < 0) timer_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
        itimerspec at{};
        if (!coming.empty()) {
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                coming.front().at.time_since_epoch())
                                .count();
            at.it_value = {static_cast<time_t>(ns / 1000000000),
                           static_cast<long>(ns % 1000000000)};
            if (ns <= 0) at.it_value.tv_nsec = 1;
        }
        ::timerfd_settime(timer_, TFD_TIMER_ABSTIME, &at, nullptr);
        return timer_;
    }
    bool takePress() override {
        std::uint64_t expiries = 0;
        if (timer_ >= 0 && ::read(timer_, &expiries, sizeof expiries) < 0) expiries = 0;
        if (coming.empty() || coming.front().at > std::chrono::steady_clock::now()) return false;
        if (coming.front().vk) press(coming.front().vk);
        coming.pop_front();
        return true;
    }
    ~ScriptedKeyboard() override {
        if (timer_ >= 0) ::close(timer_);
    }
    void forgetPresses() override {
        for (auto& [vk, s] : state) s = static_cast<win::SHORT>(s & ~1);
    }

    std::map<int, win::SHORT> state;
    std::vector<int> queried;
    struct Coming {
        std::chrono::steady_clock::time_point at;
        int vk;
    };
    std::deque<Coming> coming;
    std::vector<Sent> sent;
    std::function<void()> onSend; // runs after each synthetic key is recorded

  private:
    int timer_ = -1;
};

// Installs a scripted keyboard for the life of a test and hands it out.
inline ScriptedKeyboard& installScriptedKeyboard() {
    auto kb = std::make_unique<ScriptedKeyboard>();
    auto& ref = *kb;
    win::setKeyboardSource(std::move(kb));
    return ref;
}

} // namespace vx::test
