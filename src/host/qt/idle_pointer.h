#pragma once
// Hides the pointer over a window once it has rested there for a while, so that it is not
// taken for a faulty pixel; motion over the window or any of its child widgets shows it again
// at once. A resting pointer costs nothing: one single-shot timer, restarted by motion.
#include <QCursor>
#include <QObject>
#include <QTimer>

class QWidget;

namespace vx::hostqt {

class IdlePointer : public QObject {
  public:
    // A child of the window: it goes with it.
    explicit IdlePointer(QWidget* window, int idleMs = 1000);

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void watch(QObject* o);
    void hide();
    void show();

    QWidget* window_;
    QTimer idle_;
    bool hidden_ = false;
    bool ownCursor_ = false; // the window had a cursor of its own, given back on motion
    QCursor saved_;
};

} // namespace vx::hostqt
