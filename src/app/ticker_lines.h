#pragma once
// The two wordings of the ticker line along the bottom of the main window.
#include "host/vb_types.h"

namespace vx {

// "Tôi hy vọng bạn sẽ không tìm thấy gì ;))", the letters outside Latin-1 from their code points.
inline String vietnameseTickerLine() {
    return String(u"T\u00F4i hy v") + char16_t(0x1ECD) + u"ng b" + char16_t(0x1EA1) + u"n s" +
           char16_t(0x1EBD) + u" kh\u00F4ng t\u00ECm th" + char16_t(0x1EA5) + u"y g\u00EC ;))";
}

inline String englishTickerLine() {
    return u"I hope that you don't find anything ;))";
}

} // namespace vx
