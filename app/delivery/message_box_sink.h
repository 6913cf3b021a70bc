#pragma once

#include "app/delivery/message_sink.h"

class QWidget;

namespace tavrin {

// Message boxes as modal QMessageBox dialogs. UI thread only.
class MessageBoxSink final : public MessageSink {
public:
    // The window that owns the boxes marked as owned by the main window.
    explicit MessageBoxSink(QWidget& mainWindow) : m_mainWindow(mainWindow) {}
    void show(const Message& message) override;

private:
    QWidget& m_mainWindow;
};

} // namespace tavrin
