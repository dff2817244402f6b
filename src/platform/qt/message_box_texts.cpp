#include "platform/qt/message_box_texts.h"

namespace vx::win::qt {
namespace {
MessageBoxButtonTexts& current() {
    static MessageBoxButtonTexts texts;
    return texts;
}
} // namespace

const MessageBoxButtonTexts& messageBoxButtonTexts() {
    return current();
}
void setMessageBoxButtonTexts(const MessageBoxButtonTexts& texts) {
    current() = texts;
}

} // namespace vx::win::qt
