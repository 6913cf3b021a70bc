#include "tests/support/message_box_closer.h"

#include <QApplication>
#include <QTest>

MessageBoxCloser::MessageBoxCloser(const QWidget* window) : m_window(window) {
    connect(&m_timer, &QTimer::timeout, this, &MessageBoxCloser::closeOpenBoxes);
    m_timer.start(20);
}

void MessageBoxCloser::closeOpenBoxes() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (!box || !box->isVisible())
            continue;
        seen.push_back({box->text(), box->windowTitle(), box->icon(), box->parentWidget() == m_window,
                        int(box->buttons().size())});
        QTest::keyClick(box, Qt::Key_Return);
    }
}
