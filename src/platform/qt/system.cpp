#include "platform/system.h"
#include <array>
#include <sys/syscall.h>
#include <unistd.h>

namespace vx::win {

DWORD GetCurrentThreadId() {
    return static_cast<DWORD>(::syscall(SYS_gettid));
}

COLORREF GetSysColor(int nIndex) {
    // The classic Windows scheme; the program draws with these wherever a control asks for a
    // system colour.
    static constexpr std::array<COLORREF, 31> scheme = {
        0x00C8D0D4, 0x00A56E3A, 0x006A240A, 0x00808080, 0x00C8D0D4, 0x00FFFFFF, 0x00000000,
        0x00000000, 0x00000000, 0x00FFFFFF, 0x00C8D0D4, 0x00C8D0D4, 0x00808080, 0x006A240A,
        0x00FFFFFF, 0x00C8D0D4, 0x00808080, 0x00808080, 0x00000000, 0x00C8D0D4, 0x00FFFFFF,
        0x00404040, 0x00C8D0D4, 0x00000000, 0x00E1FFFF, 0x00B5B5B5, 0x00800000, 0x00F0CAA6,
        0x00C0C0C0, 0x00FF6633, 0x00F0F0F0};
    return nIndex >= 0 && nIndex < static_cast<int>(scheme.size()) ? scheme[nIndex] : 0;
}

} // namespace vx::win
