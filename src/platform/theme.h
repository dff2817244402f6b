#pragma once
// uxtheme: the visual style's drawing of control parts, over the desktop's widget style.
// Where no style draws them (the classic look, or themed controls switched off for the
// program), OpenThemeData gives no theme and callers draw classic frames instead.
#include "platform/win_types.h"
#include <functional>

namespace vx::win {

inline constexpr int BP_PUSHBUTTON = 1;
inline constexpr int PBS_NORMAL = 1;
inline constexpr int PBS_HOT = 2;
inline constexpr int PBS_PRESSED = 3;
inline constexpr int PBS_DISABLED = 4;
inline constexpr int PBS_DEFAULTED = 5;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_HANDLE = static_cast<HRESULT>(0x80070006u);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

inline constexpr DWORD STAP_ALLOW_NONCLIENT = 0x1;
inline constexpr DWORD STAP_ALLOW_CONTROLS = 0x2;
inline constexpr DWORD STAP_ALLOW_WEBCONTENT = 0x4;

// A theme handle for the first class in the semicolon-separated list that the style draws
// ("Button"), or 0. hwnd may be 0; a handle of a window that is gone gives 0.
HTHEME OpenThemeData(HWND hwnd, const char16_t* pszClassList);
// Draws a part in a state into the rectangle, clipped to pClipRect when given.
HRESULT DrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                            const RECT* pClipRect);
// Releases a theme handle; 0 does nothing.
HRESULT CloseThemeData(HTHEME hTheme);

// Every part drawn, as it is drawn, for tests that watch which state a control paints.
struct ThemeDrawCall {
    HDC hdc;
    int part, state;
};
void setThemeDrawObserver(std::function<void(const ThemeDrawCall&)> observer);

// Whether the program's controls may use the visual style (STAP_ALLOW_CONTROLS); all flags
// are set at start-up.
void SetThemeAppProperties(DWORD dwFlags);
DWORD GetThemeAppProperties();
// True when a style other than the classic look draws the controls.
BOOL IsThemeActive();

} // namespace vx::win
