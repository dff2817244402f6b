#pragma once
// The Windows-style vocabulary the program is written against. Handles are 32-bit
// values from the platform's handle table, never pointers.
#include <cstdint>

namespace vx::win {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using BOOL = std::int32_t;
using SHORT = std::int16_t;
using COLORREF = std::uint32_t;
using HANDLE = std::int32_t;
using HWND = HANDLE;
using HDC = HANDLE;
using HFONT = HANDLE;
using HHOOK = HANDLE;
using HTHEME = HANDLE;
using HCURSOR = HANDLE;
using HINSTANCE = HANDLE;
using HGLOBAL = HANDLE;
using WPARAM = std::int32_t;
using LPARAM = std::int32_t;
using LRESULT = std::int32_t;
using HRESULT = std::int32_t;

struct RECT {
    LONG left = 0, top = 0, right = 0, bottom = 0;
};
struct POINT {
    LONG x = 0, y = 0;
};

inline constexpr BOOL TRUE_ = 1;
inline constexpr BOOL FALSE_ = 0;

} // namespace vx::win
