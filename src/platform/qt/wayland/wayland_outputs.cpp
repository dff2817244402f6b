#include "platform/qt/wayland/wayland_outputs.h"
#include "xdg-output-unstable-v1-client-protocol.h"
#include <cmath>
#include <cstring>
#include <memory>
#include <wayland-client.h>

namespace vx::win::qt {
namespace {

struct Output {
    WaylandOutput info;
    wl_output* output = nullptr;
    zxdg_output_v1* xdg = nullptr;
};

struct Registry {
    std::vector<std::unique_ptr<Output>> outputs;
    zxdg_output_manager_v1* xdgManager = nullptr;
};

void geometry(void* data, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*,
              const char*, int32_t transform) {
    // 1, 3 and their flipped forms 5, 7 turn the output by a quarter.
    static_cast<Output*>(data)->info.turned = transform % 2 == 1;
}
void mode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t) {
    if (!(flags & WL_OUTPUT_MODE_CURRENT)) return;
    auto& info = static_cast<Output*>(data)->info;
    info.modeWidth = width;
    info.modeHeight = height;
}
void outputDone(void*, wl_output*) {}
void scale(void* data, wl_output*, int32_t factor) {
    static_cast<Output*>(data)->info.scale = factor;
}
void outputName(void* data, wl_output*, const char* name) {
    static_cast<Output*>(data)->info.name = name;
}
void description(void*, wl_output*, const char*) {}
const wl_output_listener outputListener{geometry, mode, outputDone, scale, outputName, description};

void logicalPosition(void*, zxdg_output_v1*, int32_t, int32_t) {}
void logicalSize(void* data, zxdg_output_v1*, int32_t width, int32_t height) {
    auto& info = static_cast<Output*>(data)->info;
    info.logicalWidth = width;
    info.logicalHeight = height;
}
void xdgDone(void*, zxdg_output_v1*) {}
void xdgName(void* data, zxdg_output_v1*, const char* name) {
    static_cast<Output*>(data)->info.name = name;
}
void xdgDescription(void*, zxdg_output_v1*, const char*) {}
const zxdg_output_v1_listener xdgListener{logicalPosition, logicalSize, xdgDone, xdgName,
                                          xdgDescription};

void global(void* data, wl_registry* registry, uint32_t id, const char* interface,
            uint32_t version) {
    auto* r = static_cast<Registry*>(data);
    if (std::strcmp(interface, wl_output_interface.name) == 0) {
        auto out = std::make_unique<Output>();
        out->output = static_cast<wl_output*>(
            wl_registry_bind(registry, id, &wl_output_interface, std::min(version, 4u)));
        wl_output_add_listener(out->output, &outputListener, out.get());
        r->outputs.push_back(std::move(out));
    } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0) {
        r->xdgManager = static_cast<zxdg_output_manager_v1*>(wl_registry_bind(
            registry, id, &zxdg_output_manager_v1_interface, std::min(version, 3u)));
    }
}
void globalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener registryListener{global, globalRemove};

} // namespace

std::vector<WaylandOutput> waylandOutputs() {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) return {};
    Registry r;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &r);
    wl_display_roundtrip(display); // the globals
    if (r.xdgManager)
        for (auto& out : r.outputs) {
            out->xdg = zxdg_output_manager_v1_get_xdg_output(r.xdgManager, out->output);
            zxdg_output_v1_add_listener(out->xdg, &xdgListener, out.get());
        }
    wl_display_roundtrip(display); // the outputs' events
    std::vector<WaylandOutput> found;
    for (auto& out : r.outputs) {
        found.push_back(out->info);
        if (out->xdg) zxdg_output_v1_destroy(out->xdg);
        wl_output_destroy(out->output);
    }
    if (r.xdgManager) zxdg_output_manager_v1_destroy(r.xdgManager);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return found;
}

int resampledPercent(const WaylandOutput& output, int drawnWidth) {
    const int deviceWidth = output.turned ? output.modeHeight : output.modeWidth;
    const int logicalWidth =
        output.logicalWidth > 0 ? output.logicalWidth : deviceWidth / std::max(output.scale, 1);
    if (deviceWidth <= 0 || logicalWidth <= 0 || drawnWidth <= 0) return 0;
    const double perDrawn = static_cast<double>(deviceWidth) / drawnWidth;
    if (perDrawn >= 0.995 && std::abs(perDrawn - std::round(perDrawn)) < 0.005) return 0;
    return static_cast<int>(std::lround(100.0 * deviceWidth / logicalWidth));
}

} // namespace vx::win::qt
