#include "host/form.h"
#include "host/errors.h"
#include "host/events.h"
#include "host/label.h"
#include "host/picture_box.h"
#include "host/qt/canvas_state.h"
#include "host/qt/idle_pointer.h"
#include "host/qt/monitor_watch.h"
#include "host/qt/qt_util.h"
#include "host/timer.h"
#include "platform/qt/monitor.h"
#include "platform/qt/window_table.h"
#include "platform/qt/x11_window.h"
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cctype>
#include <cmath>

namespace vx {
namespace {
int gLoaded = 0;

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

QRect primaryRect() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect(0, 0, 1024, 768);
}

// Puts a window on a monitor at the monitor's size. A window manager keeps a full-screen
// window on the monitor it is on, so a window full screen elsewhere leaves that state first.
void coverMonitor(QWidget* w, QScreen* s) {
    if (!s) return;
    if (w->isFullScreen() && w->screen() != s)
        w->setWindowState(w->windowState() & ~Qt::WindowFullScreen);
    w->setScreen(s);
    w->winId(); // the scale factor of an uncreated window is not the monitor's
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    w->setGeometry(s->geometry());
}

// The window with the frame a window manager puts around it. Qt works the frame out from the
// manager's windows and keeps its answer; read while the manager rebuilds a frame (around a
// full-screen window under openbox, say) it can be smaller than the window itself, and
// stays so. A window without a frame has none, and no frame is smaller than its window.
QRect outerRect(const QWidget* w) {
    const QRect client = w->geometry();
    if (w->windowFlags() & Qt::FramelessWindowHint) return client;
    const QRect frame = w->frameGeometry();
    return frame.contains(client) ? frame : client;
}

// One refresh of the screen the window is on.
int frameMicroseconds(const QWidget* w) {
    const QScreen* s = w->screen();
    double hz = s ? s->refreshRate() : 60.0;
    if (!(hz >= 30.0 && hz <= 500.0)) hz = 60.0;
    return static_cast<int>(std::ceil(1e6 / hz));
}

// Serves pending events for the given time.
void serveFor(qint64 microseconds) {
    QElapsedTimer t;
    t.start();
    do {
        DoEvents();
        const qint64 left = microseconds - t.nsecsElapsed() / 1000;
        if (left > 0) QThread::usleep(static_cast<unsigned long>(std::min<qint64>(left, 1000)));
    } while (t.nsecsElapsed() / 1000 < microseconds);
}
} // namespace

namespace {
// The release of each form class with a shared instance, the newest last.
std::vector<void (*)()>& sharedForms() {
    static std::vector<void (*)()> releases;
    return releases;
}
} // namespace

void detail::noteSharedForm(void (*release)()) {
    std::erase(sharedForms(), release);
    sharedForms().push_back(release);
}

void releaseSharedForms() {
    auto& releases = sharedForms();
    while (!releases.empty()) {
        const auto release = releases.back();
        releases.pop_back();
        release();
    }
}

int Form::loadedCount() {
    return gLoaded;
}

Form::Form(std::string windowClass) : windowClass_(std::move(windowClass)) {
    setBackColor(0x8000000F);
}

Form::~Form() {
    delete cs().kept.data();
    if (auto* w = cs().widget.data()) {
        w->sink = nullptr;
        delete w;
    }
}

void Form::Load() {
    if (loaded_) return;
    hostqt::registerFonts();
    if (!design_) {
        design_ = DesignState{BackColor(), ForeColor(), *Font(), caption_};
    } else {
        setBackColor(design_->back);
        setForeColor(design_->fore);
        setFont(std::make_shared<StdFont>(design_->font));
        caption_ = design_->caption;
        ScaleDefault();
    }
    Qt::WindowFlags flags = Qt::Window;
    if (borderStyle == vbBSNone) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (minButton) flags |= Qt::WindowMinimizeButtonHint;
        if (maxButton) flags |= Qt::WindowMaximizeButtonHint;
        if (borderStyle == vbFixedSingle) flags |= Qt::MSWindowsFixedSizeDialogHint;
    }
    auto* w = hostqt::SurfaceWidget::takeBack(cs().kept);
    const bool fresh = !w;
    if (fresh) w = new hostqt::SurfaceWidget(nullptr, flags);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->sink = this;
    w->fill = hostqt::toQColor(BackColor());
    w->setWindowTitle(QString::fromStdU16String(caption_));
    if (!iconResource.empty()) w->setWindowIcon(hostqt::resourceIcon(iconResource));
    const QSize client(hostqt::twipsToLogical(clientWidth), hostqt::twipsToLogical(clientHeight));
    if (fresh && borderStyle == vbFixedSingle) {
        w->setFixedSize(client);
        // Dragged onto a monitor of another scale factor, the window keeps its size in
        // pixels while Qt takes it to keep its size in points: its contents come out at the
        // new scale, cut off. Asking for another size and then its own has the window system
        // give it its size at the new scale.
        w->winId();
        QObject::connect(w->windowHandle(), &QWindow::screenChanged, w, [w] {
            const QSize fixed = w->minimumSize();
            if (fixed != w->maximumSize()) return;
            w->setFixedSize(fixed + QSize(0, 1));
            w->setFixedSize(fixed);
        });
    } else if (fresh) {
        w->resize(client);
    }
    if (hideIdlePointer && fresh) new hostqt::IdlePointer(w); // a kept window has its own
    if (borderStyle == vbFixedSingle) win::qt::setFixedFrame(w, minButton);
    if (startupForm) win::qt::setMainWindow(w);
    // Drawn on before it is shown (the effect's picture): sized for its monitor from the start.
    if (startWindowState == vbMaximized) coverMonitor(w, win::qt::monitorUnderTest());
    cs().widget = w;
    win::qt::registerWindow(w, windowClass_);
    windowState_ = startWindowState;
    loaded_ = true;
    ++gLoaded;
    InitializeComponent();
    Form_Load();
}

void Form::applyWindowState() {
    auto* w = cs().widget.data();
    if (!w) return;
    if (windowState_ == vbMaximized) {
        // The whole monitor under test: the window manager's full-screen state where one
        // runs, which also puts the window over panels, and explicit geometry where none does.
        QScreen* s = win::qt::monitorUnderTest();
        coverMonitor(w, s);
        w->setWindowState(w->windowState() | Qt::WindowFullScreen);
        win::qt::fullScreenOn(w, win::qt::deviceRect(s));
        hostqt::MonitorWatch::watch(
            w, s,
            [w](QScreen* now) {
                w->setGeometry(now->geometry());
                win::qt::fullScreenOn(w, win::qt::deviceRect(now));
            },
            [this, w] {
                // Its monitor is gone: the window leaves the screen at once, since a window
                // manager may keep refitting it to the monitor it lost (metacity grows it
                // without end, flooding the loop), and the form closes once Qt has handled the
                // removal, unless it has let go of the window meanwhile.
                w->hide();
                QMetaObject::invokeMethod(
                    w,
                    [this, w] {
                        if (loaded_ && cs().widget.data() == w) invokeHandler([this] { Unload(); });
                    },
                    Qt::QueuedConnection);
            });
        return;
    }
    hostqt::MonitorWatch::stop(w);
    if (windowState_ == vbMinimized) w->showMinimized();
}

void Form::Show() {
    Load();
    auto* w = cs().widget.data();
    if (!w) return;
    if (!shownOnce_) {
        shownOnce_ = true;
        if (centerOnFirstShow && windowState_ == vbNormal) {
            // The window with the frame a window manager puts around it.
            const QRect r = primaryRect();
            const QMargins frame = win::qt::frameExtents(w);
            const QSize outer = w->size().grownBy(frame);
            const QPoint at = r.center() - QPoint(outer.width() / 2, outer.height() / 2);
            w->setGeometry(QRect(at + QPoint(frame.left(), frame.top()), w->size()));
        }
    }
    const bool mapped = w->isVisible();
    applyWindowState();
    w->show();
    // The manager takes a request about a window only once it manages it.
    if (!mapped && windowState_ == vbMaximized)
        win::qt::fullScreenOn(w, win::qt::deviceRect(win::qt::monitorUnderTest()));
    w->raise();
    // A window shown by the program in front takes the focus, as on the original platform.
    w->activateWindow();
}

void Form::Present(bool keepFrame) {
    auto* w = cs().widget.data();
    // A minimised window has nothing on the screen to wait for.
    if (!loaded_ || !w || !w->isVisible() || w->isMinimized()) return;
    // A window manager maps, frames and sizes the window in its own time. The events served
    // meanwhile may unload the form.
    QElapsedTimer t;
    t.start();
    while (!win::qt::reachedScreen(w) && t.elapsed() < 250) {
        // Nor has one the manager keeps on another workspace.
        if (win::qt::keptOffScreen(w->windowHandle())) return;
        serveFor(1000);
        if (!loaded_ || !(w = cs().widget.data()) || !w->isVisible()) return;
    }
    w->repaint();
    win::qt::syncWithServer(); // the picture is on the server
    if (keepFrame) serveFor(frameMicroseconds(w));
}

void Form::Hide() {
    if (auto* w = cs().widget.data()) w->hide();
}

void Form::Unload() {
    // A second close request served while the unload handler runs (it may serve events)
    // must not unload, or reload, the form a second time.
    if (!loaded_ || unloading_) return;
    Integer cancel = 0;
    unloading_ = true;
    try {
        Form_Unload(cancel);
    } catch (...) {
        unloading_ = false;
        throw;
    }
    unloading_ = false;
    if (cancel != 0 || !loaded_) return;
    loaded_ = false;
    --gLoaded;
    for (Control* c : controls_) c->destroyWidget();
    controls_.clear();
    byName_.clear();
    runtime_.clear();
    auto* w = cs().widget.data();
    releaseSurface();
    if (w) {
        // The window may be unloading from inside one of its own event handlers.
        w->sink = nullptr;
        hostqt::MonitorWatch::stop(w);
        if (keepWindowOnReload) {
            w->retire();
            cs().kept = w;
        } else {
            w->hide();
            w->deleteLater();
        }
    }
    shownOnce_ = false;
    if (gLoaded == 0) endIfNoFormsLeft();
}

void Form::setCaption(const String& c) {
    caption_ = c;
    if (auto* w = cs().widget.data()) w->setWindowTitle(QString::fromStdU16String(c));
}

Single Form::Left() {
    Load();
    return static_cast<Single>(hostqt::logicalToTwips(outerRect(cs().widget).x()));
}
Single Form::Top() {
    Load();
    return static_cast<Single>(hostqt::logicalToTwips(outerRect(cs().widget).y()));
}
Single Form::Width() {
    Load();
    return static_cast<Single>(hostqt::logicalToTwips(outerRect(cs().widget).width()));
}
Single Form::Height() {
    Load();
    return static_cast<Single>(hostqt::logicalToTwips(outerRect(cs().widget).height()));
}
void Form::setWidth(Single v) {
    Move(Left(), Top(), v, Height());
}
void Form::setHeight(Single v) {
    Move(Left(), Top(), Width(), v);
}

void Form::Move(Single left, Single top, Single width, Single height) {
    Load();
    if (width < 0 || height < 0) raiseError(errInvalidProperty);
    auto* w = cs().widget.data();
    // Outer size in, client size to Qt: take off what the frame adds.
    const QRect frame = outerRect(w), client = w->geometry();
    const int extraW = frame.width() - client.width(), extraH = frame.height() - client.height();
    // As a window with a minimum size, a side never gets below the smallest the window system
    // shows: an empty window would be unmapped instead.
    const int cw = std::max(1, hostqt::twipsToLogical(width) - extraW);
    const int ch = std::max(1, hostqt::twipsToLogical(height) - extraH);
    if (borderStyle == vbFixedSingle)
        w->setFixedSize(cw, ch);
    else
        w->resize(cw, ch);
    w->move(hostqt::twipsToLogical(left), hostqt::twipsToLogical(top));
}

void Form::setWindowState(Integer s) {
    if (s < vbNormal || s > vbMaximized) raiseError(errInvalidProperty);
    Load();
    const Integer old = windowState_;
    windowState_ = s;
    auto* w = cs().widget.data();
    if (s == vbNormal && old != vbNormal) {
        if (w->isMinimized()) w->showNormal();
        w->setWindowState(w->windowState() & ~Qt::WindowFullScreen);
        if (borderStyle == vbFixedSingle)
            w->setFixedSize(hostqt::twipsToLogical(clientWidth),
                            hostqt::twipsToLogical(clientHeight));
    }
    if (w->isVisible()) applyWindowState();
}

Boolean Form::Visible() const {
    return toBoolean(loaded_ && cs().widget && cs().widget->isVisible());
}

void Form::adopt(Control* c) {
    controls_.push_back(c);
    byName_[lower(c->Name())] = c;
}

void Form::forget(Control* c) {
    std::erase(controls_, c);
    std::erase_if(byName_, [c](const auto& kv) { return kv.second == c; });
}

Control* Form::control(const std::string& name) const {
    const auto it = byName_.find(lower(name));
    return it == byName_.end() ? nullptr : it->second;
}

Control& Form::addControl(const std::string& progId, const std::string& name) {
    Load();
    if (control(name))
        raiseError(errControlExists, "There is already a control with the name '" + name + "'");
    const std::string id = lower(progId);
    std::unique_ptr<Control> c;
    if (id == "vb.picturebox")
        c = std::make_unique<PictureBox>();
    else if (id == "vb.label")
        c = std::make_unique<Label>();
    else if (id == "vb.timer")
        c = std::make_unique<Timer>();
    else
        raiseError(errNoSuchClass);
    c->setVisible(vbFalse); // controls added at run time start hidden
    c->create(*this, name);
    c->ZOrder(0); // controls added at run time go in front
    runtime_.push_back(std::move(c));
    return *runtime_.back();
}

void Form::sinkMouseDown(int b, int s, double x, double y) {
    const auto& st = cs();
    const Single X = static_cast<Single>(st.fromDeviceX(x) + ScaleLeft());
    const Single Y = static_cast<Single>(st.fromDeviceY(y) + ScaleTop());
    invokeHandler([&] { Form_MouseDown(static_cast<Integer>(b), static_cast<Integer>(s), X, Y); });
}

void Form::sinkClick() {
    invokeHandler([this] { Form_Click(); });
}

void Form::sinkCloseRequest() {
    // Unloading destroys the window, so it waits until the close event has returned.
    QTimer::singleShot(0, cs().widget.data(), [this] { invokeHandler([this] { Unload(); }); });
}

} // namespace vx
