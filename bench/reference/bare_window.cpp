// The least a Qt Widgets program does to put a window on the screen: a window of the control
// window's size, centred and filled red, and nothing else. Its start-up is what this machine
// and this Qt cost before the program does anything of its own.
#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace {

class RedWindow : public QWidget {
  protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::red); }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    RedWindow w;
    w.setWindowTitle("Bare window");
    w.setFixedSize(607, 316);
    w.move(QApplication::primaryScreen()->geometry().center() - w.rect().center());
    w.show();
    return QApplication::exec();
}
