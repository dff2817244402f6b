// A Wayland session: T pictures the screen through the desktop's screenshot portal, here a
// fake one on a private session bus (without a picture nothing crumbles and one notice says
// why); and the control window says when the compositor resamples what the program draws.
#include "app/frm_main.h"
#include "host/events.h"
#include "patterns/frm_eff.h"
#include "patterns_support.h"
#include "platform/desktop.h"
#include "platform/gdi.h"
#include "platform/qt/desktop_face.h"
#include "platform/qt/device_context.h"
#include "platform/qt/wayland/wayland_outputs.h"
#include "support/app_fixture.h"
#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <gtest/gtest.h>

namespace vx::test {
namespace {

using Problem = win::ScreenPictureProblem;
constexpr int kNoAnswer = -1;
constexpr int kOncePoked = -2; // held until the backend is asked anything

// Red, green, blue and white quarters, at `times` the screen's device pixels.
QImage quarters(QSize screen, int times) {
    const QSize size = screen * times;
    QImage img(size, QImage::Format_RGB32);
    const int w = size.width() / 2, h = size.height() / 2;
    img.fill(Qt::white);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            if (x < w || y < h)
                img.setPixel(x, y, x < w ? (y < h ? 0xFFFF0000 : 0xFF0000FF) : 0xFF00FF00);
    return img;
}

// org.freedesktop.portal.Desktop's Screenshot call: answers each request as the test says, with
// a picture file for an answer of 0.
class FakePortal : public QDBusVirtualObject {
  public:
    std::deque<int> answers; // per request: 0 done, 1 cancelled, 2 not allowed, or the above
    QImage picture;
    QString file;
    std::vector<bool> interactive; // of every request made

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& m, const QDBusConnection& bus) override {
        if (m.member() != "Screenshot" || m.arguments().size() != 2) return false;
        const auto options = qdbus_cast<QVariantMap>(m.arguments().at(1));
        interactive.push_back(options.value("interactive").toBool());
        QString sender = m.service().mid(1);
        sender.replace('.', '_');
        const QString path = "/org/freedesktop/portal/desktop/request/" + sender + "/" +
                             options.value("handle_token").toString();
        bus.send(m.createReply(QVariant::fromValue(QDBusObjectPath(path))));
        const int answer = answers.empty() ? kNoAnswer : answers.front();
        if (!answers.empty()) answers.pop_front();
        if (answer == kNoAnswer) return true;
        QVariantMap results;
        if (answer == 0 || answer == kOncePoked) {
            picture.save(file, "PNG");
            results["uri"] = QUrl::fromLocalFile(file).toString();
        }
        QDBusMessage response =
            QDBusMessage::createSignal(path, "org.freedesktop.portal.Request", "Response");
        response << static_cast<uint>(answer == kOncePoked ? 0 : answer) << results;
        if (answer == kOncePoked)
            held = response;
        else
            QTimer::singleShot(20, [bus, response] { bus.send(response); });
        return true;
    }
    std::optional<QDBusMessage> held;
};

// A portal backend that has read a call but does not look at it until another message comes,
// as xdg-desktop-portal-wlr 0.7.0 may at its start; the portal's answer waits for it.
class StuckBackend : public QDBusVirtualObject {
  public:
    explicit StuckBackend(FakePortal& portal) : portal_(portal) {}
    // The library answers the bus's standard questions itself; this is where they are seen.
    QString introspect(const QString&) const override {
        if (portal_.held) QDBusConnection("fake").send(*std::exchange(portal_.held, std::nullopt));
        return {};
    }
    bool handleMessage(const QDBusMessage&, const QDBusConnection&) override { return false; }

  private:
    FakePortal& portal_;
};

struct PortalRow {
    const char* name;
    bool portal; // the fake is on the bus
    std::deque<int> answers;
    int pictureTimes; // the picture's pixels per screen pixel
    Problem problem;
    std::vector<bool> interactive; // the requests the program makes, in order
    const char* says;              // a phrase of the notice; null when a picture came
};

void PrintTo(const PortalRow& r, std::ostream* os) {
    *os << r.name;
}

class PortalAnswers : public MainWindowTest, public ::testing::WithParamInterface<PortalRow> {
  protected:
    void SetUp() override {
        // A bus of the test's own, with no services to start: the desktop's real portal
        // must not answer.
        QFile conf(dir.filePath("bus.conf"));
        ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
        conf.write("<busconfig><type>session</type><listen>unix:tmpdir=" + dir.path().toUtf8() +
                   "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                   "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                   "<allow own=\"*\"/></policy></busconfig>");
        conf.close();
        daemon.start("dbus-daemon",
                     {"--config-file=" + conf.fileName(), "--nofork", "--print-address"});
        ASSERT_TRUE(daemon.waitForReadyRead(5000)) << "dbus-daemon did not start";
        const QByteArray address = daemon.readLine().trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        const PortalRow& row = GetParam();
        if (row.portal) {
            fake.answers = row.answers;
            fake.file = dir.filePath("shot.png");
            fake.picture = quarters(screenPixels(), row.pictureTimes);
            QDBusConnection bus = QDBusConnection::connectToBus(QString(address), "fake");
            ASSERT_TRUE(bus.registerVirtualObject("/org/freedesktop/portal/desktop", &fake));
            ASSERT_TRUE(bus.registerService("org.freedesktop.portal.Desktop"));
            QDBusConnection other = QDBusConnection::connectToBus(QString(address), "backend");
            ASSERT_TRUE(other.registerVirtualObject("/", &backend, QDBusConnection::SubPath));
            ASSERT_TRUE(other.registerService("org.freedesktop.impl.portal.desktop.fake"));
        }
        win::qt::setDesktopFace(win::qt::makeWaylandFace(
            {std::chrono::milliseconds(300), std::chrono::milliseconds(300)}));
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        win::setBitBltObserver(nullptr);
        SharedForm<frmEff>::unload();
        SharedForm<frmEff>::release();
        MainWindowTest::TearDown();
        win::qt::setDesktopFace(nullptr);
        QDBusConnection::disconnectFromBus("fake");
        QDBusConnection::disconnectFromBus("backend");
        daemon.kill();
        daemon.waitForFinished();
    }
    static QSize screenPixels() {
        const QScreen* s = QGuiApplication::primaryScreen();
        return s->geometry().size() * s->devicePixelRatio();
    }
    // T through the key loop; the effect, if it starts, is ended by a press after its first
    // block. Keeps the picture the effect started from and counts the block copies.
    struct Run {
        QImage picture;
        int blits = 0;
    };
    Run pressT() {
        QImage picture;
        int blits = 0;
        win::setBitBltObserver([&](const win::BitBltCall& c) {
            if (++blits == 1)
                if (auto* dc = win::qt::dcFromHandle(c.hdcSrc); dc && dc->image())
                    picture = dc->image()->copy();
            if (blits == 2) postPress(widgetOf(SharedForm<frmEff>::get().hWnd()));
        });
        kb->press(0x54);
        main->runKeyRow(frmMain::matchKeyRow());
        kb->clear();
        win::setBitBltObserver(nullptr);
        return {picture, blits};
    }
    static std::vector<QMessageBox*> notices() {
        std::vector<QMessageBox*> shown;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
                shown.push_back(box);
        return shown;
    }

    QTemporaryDir dir;
    QProcess daemon;
    FakePortal fake;
    StuckBackend backend{fake};
};

TEST_P(PortalAnswers, APictureIsCrumbledElseNothingStartsAndOneNoticeSaysWhy) {
    const PortalRow& row = GetParam();
    const auto [picture, blits] = pressT();
    EXPECT_EQ(win::screenPictureProblem(), row.problem);
    EXPECT_EQ(fake.interactive, row.interactive);
    EXPECT_FALSE(SharedForm<frmEff>::exists() && SharedForm<frmEff>::get().IsLoaded());
    if (!row.says) {
        // The desktop's picture in the program's pixels, quarter by quarter.
        const QSize size = screenPixels();
        ASSERT_EQ(picture.size(), size);
        const int x1 = size.width() / 4, x2 = 3 * x1, y1 = size.height() / 4, y2 = 3 * y1;
        EXPECT_EQ(std::vector<QRgb>({picture.pixel(x1, y1), picture.pixel(x2, y1),
                                     picture.pixel(x1, y2), picture.pixel(x2, y2)}),
                  std::vector<QRgb>({0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}));
        EXPECT_FALSE(QFile::exists(fake.file)) << "the portal's file is left behind";
        EXPECT_TRUE(notices().empty());
        return;
    }
    EXPECT_EQ(blits, 0) << "an effect ran without a picture of the screen";
    ASSERT_EQ(notices().size(), 1u);
    const QString text = notices().front()->text();
    EXPECT_TRUE(text.contains(QString::fromUtf8(row.says))) << text.toStdString();
    // T again: still nothing, and nothing more to read.
    EXPECT_EQ(pressT().blits, 0);
    ASSERT_EQ(notices().size(), 1u);
    EXPECT_EQ(notices().front()->text(), text);
}

INSTANTIATE_TEST_SUITE_P(
    Portal, PortalAnswers,
    ::testing::Values(
        PortalRow{"picture", true, {0}, 1, Problem::NoProblem, {false}, nullptr},
        PortalRow{"pictureInTwiceThePixels", true, {0}, 2, Problem::NoProblem, {false}, nullptr},
        PortalRow{"answeredOnceTheBackendIsPoked",
                  true,
                  {kOncePoked},
                  1,
                  Problem::NoProblem,
                  {false},
                  nullptr},
        PortalRow{"allowedWhenAsked", true, {2, 0}, 1, Problem::NoProblem, {false, true}, nullptr},
        PortalRow{"refused", true, {2, 2}, 1, Problem::Refused, {false, true}, "declined"},
        PortalRow{"cancelledByThePerson", true, {1}, 1, Problem::Refused, {false}, "declined"},
        PortalRow{
            "noAnswerInTime", true, {kNoAnswer}, 1, Problem::NoAnswer, {false}, "did not answer"},
        PortalRow{"noPortal", false, {}, 1, Problem::NoService, {}, "no screenshot service"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ScaleRow {
    const char* name;
    win::qt::WaylandOutput output;
    int drawnWidth; // the monitor's width in the pixels the program draws
    int percent;    // what the program tells, 0 for nothing
};

void PrintTo(const ScaleRow& r, std::ostream* os) {
    *os << r.name;
}

class Resampling : public ::testing::TestWithParam<ScaleRow> {};

// XWayland draws at the logical size and the compositor enlarges it; Qt on Wayland draws at the
// whole-number scale above the output's and the compositor shrinks it.
TEST_P(Resampling, ToldWhereDrawnPixelsAreNotWholeDevicePixels) {
    const ScaleRow& r = GetParam();
    EXPECT_EQ(win::qt::resampledPercent(r.output, r.drawnWidth), r.percent);
}

win::qt::WaylandOutput output(int w, int h, int scale, int logicalW, bool turned = false) {
    return {"HEADLESS-1", w, h, scale, turned, logicalW, 0};
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, Resampling,
    ::testing::Values(ScaleRow{"xwaylandAt100", output(1280, 960, 1, 1280), 1280, 0},
                      ScaleRow{"xwaylandAt200", output(2560, 1920, 2, 1280), 1280, 0},
                      ScaleRow{"xwaylandAt125", output(1280, 960, 2, 1024), 1024, 125},
                      ScaleRow{"xwaylandAt150", output(1920, 1080, 2, 1280), 1280, 150},
                      ScaleRow{"waylandAt125", output(1280, 960, 2, 1024), 2048, 125},
                      ScaleRow{"waylandAt200", output(2560, 1920, 2, 1280), 2560, 0},
                      ScaleRow{"waylandAt300", output(3840, 2160, 3, 1280), 3840, 0},
                      ScaleRow{"turnedAt125", output(960, 1280, 2, 1024, true), 1024, 125},
                      ScaleRow{"noLogicalSizeAt200", output(2560, 1920, 2, 0), 1280, 0},
                      ScaleRow{"noMode", output(0, 0, 1, 1280), 1280, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// A desktop whose monitors are scaled as a row of the table says.
class ScaledFace : public win::qt::DesktopFace {
  public:
    int percent = 0;
    std::optional<win::qt::ScreenPicture> grabScreen(Problem& why) override {
        why = Problem::NoService;
        return std::nullopt;
    }
    int resamplingPercent(const QScreen*) override { return percent; }
};

class ResamplingWords : public MainWindowTest {
  protected:
    void SetUp() override {
        auto owned = std::make_unique<ScaledFace>();
        face = owned.get();
        win::qt::setDesktopFace(std::move(owned));
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        win::qt::setDesktopFace(nullptr);
    }
    // Tells what the desktop does now; returns what went to standard error.
    std::string tellAt(int percent) {
        face->percent = percent;
        ::testing::internal::CaptureStderr();
        main->tellResampling();
        return ::testing::internal::GetCapturedStderr();
    }
    ScaledFace* face = nullptr;
};

TEST_F(ResamplingWords, TheControlWindowSaysItWithTheScaleOnlyWhileItHolds) {
    const Single exactHeight = main->Height();
    EXPECT_EQ(main->lbScale.Visible(), vbFalse) << "nothing is said where pixels are exact";
    struct Step {
        int percent;
        bool says, errorLine;
    };
    for (const Step& s : {Step{125, true, true}, Step{125, true, false}, Step{150, true, true},
                          Step{0, false, false}, Step{0, false, false}}) {
        const std::string err = tellAt(s.percent);
        const std::string shown(main->lbScale.Caption().begin(), main->lbScale.Caption().end());
        ASSERT_EQ(main->lbScale.Visible(), s.says ? vbTrue : vbFalse) << s.percent;
        EXPECT_EQ(main->Height(), exactHeight + (s.says ? 510 : 0)) << "the words need room";
        if (s.says) {
            EXPECT_NE(shown.find("by " + std::to_string(s.percent) + " %"), std::string::npos);
            EXPECT_NE(shown.find("Set the display's scale to 100 % or 200 %"), std::string::npos);
        }
        // Qt's offscreen platform adds warnings of its own.
        int lines = 0;
        for (std::size_t at = 0; (at = err.find("velotrix: This desktop", at)) != err.npos; ++at)
            ++lines;
        EXPECT_EQ(lines, s.errorLine ? 1 : 0) << err;
    }
}

} // namespace
} // namespace vx::test
