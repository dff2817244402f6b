#include "host/qt/idle_pointer.h"
#include <QChildEvent>
#include <QWidget>

namespace vx::hostqt {

IdlePointer::IdlePointer(QWidget* window, int idleMs) : QObject(window), window_(window) {
    idle_.setSingleShot(true);
    idle_.setInterval(idleMs);
    connect(&idle_, &QTimer::timeout, this, [this] { hide(); });
    watch(window);
    if (window->isVisible()) idle_.start();
}

// Child widgets get the motion over them, and children come and go (the stripes of the line
// patterns): each one is watched from the moment it is added.
void IdlePointer::watch(QObject* o) {
    o->installEventFilter(this);
    for (QObject* c : o->children())
        if (c->isWidgetType()) watch(c);
}

bool IdlePointer::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
    case QEvent::MouseMove:
        // A dialog owned by the window is a window of its own.
        if (static_cast<QWidget*>(watched)->window() != window_) break;
        show();
        idle_.start();
        break;
    case QEvent::ChildAdded:
        if (QObject* c = static_cast<QChildEvent*>(e)->child(); c->isWidgetType()) watch(c);
        break;
    // The window shown under a pointer that does not move hides it too.
    case QEvent::Show:
    case QEvent::Enter:
        if (watched == window_) idle_.start();
        break;
    case QEvent::Leave:
        if (watched == window_) {
            idle_.stop();
            show();
        }
        break;
    case QEvent::Hide:
        if (watched == window_) idle_.stop();
        break;
    default: break;
    }
    return false;
}

void IdlePointer::hide() {
    if (hidden_) return;
    ownCursor_ = window_->testAttribute(Qt::WA_SetCursor);
    saved_ = window_->cursor();
    window_->setCursor(Qt::BlankCursor); // children without a cursor of their own follow
    hidden_ = true;
}

void IdlePointer::show() {
    if (!hidden_) return;
    hidden_ = false;
    if (ownCursor_)
        window_->setCursor(saved_);
    else
        window_->unsetCursor();
}

} // namespace vx::hostqt
