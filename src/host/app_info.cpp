#include "host/app_info.h"

namespace vx::App {

// The program is one module; its instance handle is a fixed value in the handle space.
win::HINSTANCE hInstance() {
    return 0x400000;
}

} // namespace vx::App
