#include "platform/qt/x11_cover.h"
#include "platform/qt/app_filter.h"
#include "platform/qt/x11_window.h"
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <set>
#include <utility>
#include <xcb/xcb.h>

namespace vx::win::qt {
namespace {

// Qt paints a top-level window only while it counts as mapped, and keeps what waits to be
// painted otherwise; its next expose paints it. A window wholly covered is taken off that
// count, so the ticker's swap under a pattern costs no paint, no upload and no round trip.
class CoverWatch : public QAbstractNativeEventFilter {
  public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* ev = static_cast<const xcb_generic_event_t*>(message);
        if ((ev->response_type & 0x7F) != XCB_VISIBILITY_NOTIFY) return false;
        const auto* vn = static_cast<const xcb_visibility_notify_event_t*>(message);
        QWidget* w = QWidget::find(vn->window);
        if (!w || !w->isWindow()) return false;
        if (vn->state == XCB_VISIBILITY_FULLY_OBSCURED) {
            if (w->testAttribute(Qt::WA_Mapped)) {
                w->setAttribute(Qt::WA_Mapped, false);
                held_.insert(vn->window);
            }
        } else if (held_.erase(vn->window)) {
            // The expose that follows paints it. A server that keeps covered pictures sends
            // none; the update request paints what waits there too.
            release(w);
        }
        return false;
    }

    void releaseAll() {
        const std::set<unsigned long> all = std::exchange(held_, {});
        for (const unsigned long id : all)
            if (QWidget* w = QWidget::find(id)) {
                release(w);
                QCoreApplication::sendPostedEvents(w, QEvent::UpdateRequest);
            }
    }

    std::set<unsigned long> asked;

  private:
    static void release(QWidget* w) {
        const QWindow* handle = w->windowHandle();
        if (!w->isVisible() || !handle || !handle->isExposed()) return; // hidden meanwhile
        w->setAttribute(Qt::WA_Mapped, true);
        QCoreApplication::postEvent(w, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
    }

    std::set<unsigned long> held_;
};

CoverWatch* watch() {
    return appFilter<CoverWatch>([] { return x11Display() ? new CoverWatch : nullptr; });
}

} // namespace

void paintOnlyWhenSeen(QWidget* window) {
    CoverWatch* w = window->isWindow() ? watch() : nullptr;
    auto* x11 = w ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c || !w->asked.insert(window->winId()).second) return;
    // Qt's own selection stays as it is: the visibility events are added to it.
    const auto id = static_cast<xcb_window_t>(window->winId());
    xcb_get_window_attributes_reply_t* a =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, id), nullptr);
    if (!a) return;
    const uint32_t mask = a->your_event_mask | XCB_EVENT_MASK_VISIBILITY_CHANGE;
    free(a);
    xcb_change_window_attributes(c, id, XCB_CW_EVENT_MASK, &mask);
}

void paintHeldBack() {
    if (CoverWatch* w = watch()) w->releaseAll();
}

} // namespace vx::win::qt
