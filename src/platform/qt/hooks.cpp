#include "platform/hooks.h"
#include "platform/qt/cbt_hooks.h"
#include "platform/system.h"
#include <algorithm>
#include <atomic>
#include <vector>

namespace vx::win {
namespace {

struct Hook {
    HHOOK handle;
    HOOKPROC proc;
};

// The calling thread's hooks, oldest first: a hook only ever sees its own thread's windows.
// Handles are never reused.
thread_local std::vector<Hook> installedHooks;
std::vector<Hook>& hooks() {
    return installedHooks;
}
std::atomic<HHOOK> nextHook = 0x30010;

bool installed(HHOOK h) {
    return std::any_of(hooks().begin(), hooks().end(),
                       [h](const Hook& k) { return k.handle == h; });
}

// One event on its way down the chain: the hooks it may still reach, newest first, and the
// one running now. CallNextHookEx moves on from the running one, so hooks removed meanwhile
// are skipped. Events may nest (a hook can open a window), hence a stack.
struct Delivery {
    std::vector<Hook> chain;
    std::size_t running = 0;
};
thread_local std::vector<Delivery*> deliveries;

// Runs the first still-installed hook of the chain from position `from`; 0 when none is left.
LRESULT runFrom(Delivery& d, std::size_t from, int code, WPARAM wParam, LPARAM lParam) {
    for (std::size_t i = from; i < d.chain.size(); ++i) {
        if (!installed(d.chain[i].handle)) continue;
        struct Running {
            Running(Delivery& d, std::size_t i) : d(d), previous(d.running) { d.running = i; }
            ~Running() { d.running = previous; }
            Delivery& d;
            std::size_t previous;
        } running(d, i);
        return d.chain[i].proc(code, wParam, lParam);
    }
    return 0;
}

} // namespace

HHOOK SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE, DWORD dwThreadId) {
    if (idHook != WH_CBT || !lpfn || dwThreadId != GetCurrentThreadId()) return 0;
    const HHOOK h = nextHook.fetch_add(4);
    hooks().push_back(Hook{h, lpfn});
    return h;
}

LRESULT CallNextHookEx(HHOOK, int nCode, WPARAM wParam, LPARAM lParam) {
    if (deliveries.empty()) return 0;
    Delivery& d = *deliveries.back();
    return runFrom(d, d.running + 1, nCode, wParam, lParam);
}

BOOL UnhookWindowsHookEx(HHOOK hhk) {
    auto& h = hooks();
    const auto it =
        std::find_if(h.begin(), h.end(), [hhk](const Hook& k) { return k.handle == hhk; });
    if (it == h.end()) return FALSE_;
    h.erase(it);
    return TRUE_;
}

namespace qt {

LRESULT callCbtHooks(int code, WPARAM wParam, LPARAM lParam) {
    Delivery d;
    d.chain.assign(hooks().rbegin(), hooks().rend());
    if (d.chain.empty()) return 0;
    struct Scope {
        explicit Scope(Delivery* d) { deliveries.push_back(d); }
        ~Scope() { deliveries.pop_back(); }
    } scope(&d);
    return runFrom(d, 0, code, wParam, lParam);
}

} // namespace qt
} // namespace vx::win
