#include "app/delivery/message_box_sink.h"

#include <QMessageBox>

namespace tavrin {
namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void MessageBoxSink::show(const Message& message) {
    QWidget* owner = message.owner == MessageOwner::MainWindow ? &m_mainWindow : nullptr;
    QMessageBox box(boxIcon(message.icon), message.caption, message.text, QMessageBox::Ok, owner);
    box.exec();
}

} // namespace tavrin
