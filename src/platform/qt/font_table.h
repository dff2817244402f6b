#pragma once
// The HFONT table: logical fonts by handle. Handles are never reused, so a released font's
// handle resolves to nothing.
#include "platform/win_types.h"
#include <QFont>
#include <cstddef>

namespace vx::win::qt {

HFONT addFont(const QFont& font);
// The font of a live handle, or null.
const QFont* fontFromHandle(HFONT h);
bool removeFont(HFONT h);
std::size_t liveFontCount();

} // namespace vx::win::qt
