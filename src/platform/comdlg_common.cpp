#include "platform/comdlg_internal.h"
#include "platform/windows.h"
#include <algorithm>
#include <cstring>

namespace vx::win {
namespace {
thread_local DWORD lastError = 0;
}

DWORD CommDlgExtendedError() {
    return lastError;
}

namespace detail {

void setExtendedError(DWORD code) {
    lastError = code;
}

BOOL fail(DWORD code) {
    lastError = code;
    return FALSE_;
}

BOOL endWithoutAnswer(const DialogEnd& end) {
    lastError = end.error;
    return FALSE_;
}

DWORD checkCommon(HWND owner, bool hookAsked, bool templateAsked) {
    if (hookAsked) return CDERR_NOHOOK;
    if (templateAsked) return CDERR_NOTEMPLATE;
    if (owner != 0 && !IsWindow(owner)) return CDERR_DIALOGFAILURE;
    return 0;
}

std::string boundedString(const char* p, std::size_t max) {
    if (!p) return {};
    const void* nul = std::memchr(p, 0, max);
    return std::string(p, nul ? static_cast<const char*>(nul) - p : max);
}

std::string cString(const char* p) {
    return p ? std::string(p) : std::string();
}

namespace {
// Length of the UTF-8 sequence starting at s[i], 0 when it is malformed.
std::size_t sequenceLength(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = b < 0x80           ? 1
                    : (b >> 5) == 0x6  ? 2
                    : (b >> 4) == 0xE  ? 3
                    : (b >> 3) == 0x1E ? 4
                                       : 0;
    if (n == 0 || i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    return n;
}
} // namespace

bool isValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = sequenceLength(s, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string validUtf8Part(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = sequenceLength(s, i);
        if (n) out.append(s.substr(i, n));
        i += n ? n : 1;
    }
    return out;
}

std::string_view utf8Prefix(std::string_view s, std::size_t maxBytes) {
    std::size_t end = 0;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = std::max<std::size_t>(sequenceLength(s, i), 1);
        if (i + n > maxBytes) break;
        i += n;
        end = i;
    }
    return s.substr(0, end);
}

bool copyWithNul(char* dst, std::size_t capacity, std::string_view s) {
    if (!dst || s.size() + 1 > capacity) return false;
    std::memcpy(dst, s.data(), s.size());
    dst[s.size()] = '\0';
    return true;
}

void copyFixed(char* field, std::size_t size, std::string_view s) {
    if (size == 0) return;
    const std::string_view part = utf8Prefix(s, size - 1);
    std::memset(field, 0, size);
    std::memcpy(field, part.data(), part.size());
}

} // namespace detail
} // namespace vx::win
