#include "app/editing/edit_feedback.h"

#include "monitor/notifier.h"

namespace tavrin {

void EditFeedback::succeeded(QStringView title, QStringView body) {
    m_notifier.showBalloon(makeBalloon(title, body, static_cast<int>(BalloonIcon::Information), kBalloonMs));
}

void EditFeedback::failed(const QString& text) {
    m_messages.show(Message{text, QStringLiteral("错误："), MessageIcon::Error, MessageOwner::MainWindow});
}

QString databaseFailureText(const QString& reason) {
    return QStringLiteral("数据库操作失败，未作更改。\n%1").arg(reason);
}

QString settingsFailureText(const QString& path) {
    return QStringLiteral("无法写入设置文件：%1").arg(path);
}

} // namespace tavrin
