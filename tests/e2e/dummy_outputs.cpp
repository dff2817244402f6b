#include "e2e/dummy_outputs.h"
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <cstring>

namespace vx::e2e {
namespace {

RROutput outputNamed(Display* dpy, XRRScreenResources* res, const std::string& name) {
    for (int i = 0; i < res->noutput; ++i) {
        XRROutputInfo* info = XRRGetOutputInfo(dpy, res, res->outputs[i]);
        const bool match = info && name == info->name;
        if (info) XRRFreeOutputInfo(info);
        if (match) return res->outputs[i];
    }
    return None;
}

// A mode of that size the server knows, else a new one at 60 Hz.
RRMode modeOf(Display* dpy, XRRScreenResources* res, int width, int height) {
    for (int i = 0; i < res->nmode; ++i)
        if (static_cast<int>(res->modes[i].width) == width &&
            static_cast<int>(res->modes[i].height) == height)
            return res->modes[i].id;
    std::string name = std::to_string(width) + "x" + std::to_string(height) + "_e2e";
    XRRModeInfo mode{};
    mode.width = static_cast<unsigned>(width);
    mode.height = static_cast<unsigned>(height);
    mode.hSyncStart = mode.width + 48;
    mode.hSyncEnd = mode.width + 80;
    mode.hTotal = mode.width + 160;
    mode.vSyncStart = mode.height + 3;
    mode.vSyncEnd = mode.height + 9;
    mode.vTotal = mode.height + 30;
    mode.dotClock = static_cast<unsigned long>(mode.hTotal) * mode.vTotal * 60;
    mode.name = name.data();
    mode.nameLength = static_cast<unsigned>(name.size());
    return XRRCreateMode(dpy, DefaultRootWindow(dpy), &mode);
}

RRCrtc crtcOf(Display* dpy, XRRScreenResources* res, RROutput output) {
    XRROutputInfo* info = XRRGetOutputInfo(dpy, res, output);
    RRCrtc crtc = None;
    if (info) {
        crtc = info->crtc ? info->crtc : (info->ncrtc > 0 ? info->crtcs[0] : None);
        XRRFreeOutputInfo(info);
    }
    return crtc;
}

} // namespace

bool setDummyOutputs(Display* dpy, const std::vector<Rect>& monitors, int width, int height) {
    const Window root = DefaultRootWindow(dpy);
    XRRSetScreenSize(dpy, root, width, height, width * 254 / 960, height * 254 / 960);
    XSync(dpy, False);
    bool ok = true;
    for (std::size_t i = 0; i < monitors.size() && ok; ++i) {
        XRRScreenResources* res = XRRGetScreenResources(dpy, root);
        const RROutput output = outputNamed(dpy, res, "DUMMY" + std::to_string(i));
        const Rect& m = monitors[i];
        const RRMode mode = output ? modeOf(dpy, res, m.width, m.height) : None;
        const RRCrtc crtc = output ? crtcOf(dpy, res, output) : None;
        ok = output && mode && crtc;
        if (ok) {
            XRRAddOutputMode(dpy, output, mode);
            XSync(dpy, False);
            XRRFreeScreenResources(res);
            res = XRRGetScreenResources(dpy, root);
            RROutput one = output;
            ok = XRRSetCrtcConfig(dpy, res, crtc, CurrentTime, m.x, m.y, mode, RR_Rotate_0, &one,
                                  1) == Success;
        }
        XRRFreeScreenResources(res);
    }
    // The server tells an output's connection as of its last probe, which came before the
    // output had a mode: a probe now, or a client that asks for the current state (GTK does)
    // takes the new monitors for unplugged.
    XRRFreeScreenResources(XRRGetScreenResources(dpy, root));
    XSync(dpy, False);
    return ok;
}

void dropDummyOutput(Display* dpy, int i) {
    const Window root = DefaultRootWindow(dpy);
    XRRScreenResources* res = XRRGetScreenResources(dpy, root);
    if (const RROutput output = outputNamed(dpy, res, "DUMMY" + std::to_string(i)))
        if (const RRCrtc crtc = crtcOf(dpy, res, output))
            XRRSetCrtcConfig(dpy, res, crtc, CurrentTime, 0, 0, None, RR_Rotate_0, nullptr, 0);
    XRRFreeScreenResources(res);
    XSync(dpy, False);
}

} // namespace vx::e2e
