#include "platform/qt/font_table.h"
#include <map>

namespace vx::win::qt {
namespace {
std::map<HFONT, QFont>& table() {
    static std::map<HFONT, QFont> t;
    return t;
}
HFONT nextFont = 0x50010;
} // namespace

HFONT addFont(const QFont& font) {
    const HFONT h = nextFont;
    nextFont += 4;
    table().emplace(h, font);
    return h;
}

const QFont* fontFromHandle(HFONT h) {
    const auto it = table().find(h);
    return it == table().end() ? nullptr : &it->second;
}

bool removeFont(HFONT h) {
    return table().erase(h) > 0;
}

std::size_t liveFontCount() {
    return table().size();
}

} // namespace vx::win::qt
