#pragma once
// The application object: title, version, instance handle, executable name.
#include "host/vb_types.h"
#include "platform/win_types.h"
#include <string>

namespace vx::App {

inline const std::string Title = "Velotrix";
inline constexpr Integer Major = 1;
inline constexpr Integer Minor = 0;
inline const std::string EXEName = "velotrix";
win::HINSTANCE hInstance();

} // namespace vx::App
