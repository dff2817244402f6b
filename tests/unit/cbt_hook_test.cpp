#include "platform/hooks.h"
#include "platform/qt/cbt_hooks.h"
#include "platform/system.h"
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace vx::win {
namespace {

// Each hook notes its letter and passes the event on, adding its letter to the answer's
// digits so the answer shows which hooks ran below it.
std::string trace;
HHOOK hookToRemove = 0;
LRESULT hookA(std::int32_t code, WPARAM w, LPARAM l) {
    trace += 'A';
    return CallNextHookEx(0, code, w, l) * 10 + 1;
}
LRESULT hookB(std::int32_t code, WPARAM w, LPARAM l) {
    trace += 'B';
    if (hookToRemove) UnhookWindowsHookEx(hookToRemove);
    return CallNextHookEx(0, code, w, l) * 10 + 2;
}
LRESULT hookC(std::int32_t, WPARAM, LPARAM) {
    trace += 'C';
    return 3; // does not pass on
}

HHOOK install(HOOKPROC p) {
    return SetWindowsHookExA(WH_CBT, p, 0, GetCurrentThreadId());
}

TEST(CbtHooks, NewestRunsFirstAndEachPassesOnThroughCallNextHookEx) {
    EXPECT_EQ(qt::callCbtHooks(HCBT_ACTIVATE, 1, 0), 0); // none installed
    const HHOOK a = install(hookA);
    const HHOOK b = install(hookB);
    trace.clear();
    EXPECT_EQ(qt::callCbtHooks(HCBT_ACTIVATE, 1, 0), 12); // B, then A, then nothing
    EXPECT_EQ(trace, "BA");

    const HHOOK c = install(hookC);
    trace.clear();
    EXPECT_EQ(qt::callCbtHooks(HCBT_CREATEWND, 1, 0), 3);
    EXPECT_EQ(trace, "C");
    EXPECT_EQ(UnhookWindowsHookEx(c), TRUE_);
    EXPECT_EQ(UnhookWindowsHookEx(c), FALSE_);

    // A hook removed while an event is on its way is skipped.
    hookToRemove = a;
    trace.clear();
    EXPECT_EQ(qt::callCbtHooks(HCBT_ACTIVATE, 1, 0), 2);
    EXPECT_EQ(trace, "B");
    hookToRemove = 0;
    UnhookWindowsHookEx(b);
    EXPECT_EQ(CallNextHookEx(0, HCBT_ACTIVATE, 1, 0), 0); // outside any event
}

TEST(CbtHooks, OnlyCbtHooksOnTheCallingThreadInstall) {
    EXPECT_EQ(SetWindowsHookExA(2, hookA, 0, GetCurrentThreadId()), 0);
    EXPECT_EQ(SetWindowsHookExA(WH_CBT, nullptr, 0, GetCurrentThreadId()), 0);
    EXPECT_EQ(SetWindowsHookExA(WH_CBT, hookA, 0, 0), 0);
    DWORD other = 0;
    std::thread([&] { other = GetCurrentThreadId(); }).join();
    EXPECT_EQ(SetWindowsHookExA(WH_CBT, hookA, 0, other), 0);

    // Another thread's events do not reach this thread's hooks.
    const HHOOK a = install(hookA);
    trace.clear();
    LRESULT elsewhere = -1;
    std::thread([&] { elsewhere = qt::callCbtHooks(HCBT_ACTIVATE, 1, 0); }).join();
    EXPECT_EQ(elsewhere, 0);
    EXPECT_EQ(trace, "");
    UnhookWindowsHookEx(a);
}

} // namespace
} // namespace vx::win
