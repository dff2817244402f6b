#include "platform/qt/device_context.h"
#include <map>

namespace vx::win::qt {
namespace {
std::map<HDC, std::unique_ptr<DeviceContext>>& table() {
    static std::map<HDC, std::unique_ptr<DeviceContext>> t;
    return t;
}
HDC nextHandle = 0x20010;

HDC add(std::unique_ptr<DeviceContext> dc) {
    const HDC h = nextHandle;
    nextHandle += 4;
    table()[h] = std::move(dc);
    return h;
}
} // namespace

HDC createDC(DrawTarget* target) {
    auto dc = std::make_unique<DeviceContext>();
    dc->target = target;
    return add(std::move(dc));
}

HDC createScreenDC(std::unique_ptr<QImage> snapshot) {
    auto dc = std::make_unique<DeviceContext>();
    dc->snapshot = std::move(snapshot);
    return add(std::move(dc));
}

DeviceContext* dcFromHandle(HDC hdc) {
    const auto it = table().find(hdc);
    return it == table().end() ? nullptr : it->second.get();
}

void deleteDC(HDC hdc) {
    table().erase(hdc);
}

} // namespace vx::win::qt
