#include "platform/qt/font_config_preload.h"
#include <fontconfig/fontconfig.h>
#include <system_error>

namespace vx::win::qt {

std::jthread preloadFontConfig() {
    try {
        return std::jthread([] { FcInit(); });
    } catch (const std::system_error&) {
        return {}; // no thread to spare: the first font loads it, as without this
    }
}

} // namespace vx::win::qt
