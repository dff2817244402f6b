#pragma once
// The message box window: icon and message above a centred row of buttons. It closes with
// the identifier of the button pressed; the close box and Escape count as Cancel, or as OK
// when OK is the only button, and do nothing otherwise.
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <vector>

namespace vx::win::qt {

class MessageBoxDialog : public QDialog {
  public:
    // escapeResult: the answer of the close box and Escape, 0 when they do nothing.
    MessageBoxDialog(QWidget* owner, bool topmost, int escapeResult);

    void setIcon(QLabel* icon);
    void setMessage(QLabel* message);
    // help: a button that answers nothing and leaves the box open.
    void addButton(QPushButton* button, int id, bool help);
    void setDefaultButton(std::size_t index);
    // Lays the box out for the message's current font, just before it is shown.
    void arrange();

  protected:
    void reject() override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    int escapeResult_;
    QLabel* icon_ = nullptr;
    QLabel* message_ = nullptr;
    std::vector<QPushButton*> buttons_;
};

} // namespace vx::win::qt
