#include "app/editing/edit_feedback.h"

#include "monitor/notifier.h"

#include <QDir>
#include <cstdio>

namespace tavrin {

void EditFeedback::succeeded(QStringView title, QStringView body) {
    m_notifier.showBalloon(makeBalloon(title, body, static_cast<int>(BalloonIcon::Information), kBalloonMs));
}

void EditFeedback::failed(const QString& text) {
    m_messages.show(Message{text, QStringLiteral("错误："), MessageIcon::Error, MessageOwner::MainWindow});
}

void EditFeedback::warned(const QString& text) {
    m_messages.show(Message{text, Message::defaultCaption(), MessageIcon::Warning, MessageOwner::MainWindow});
}

namespace {

// The driver's own words are English and technical: they go to the error stream only.
void logDriverDetail(const QString& reason) {
    if (!reason.isEmpty())
        std::fprintf(stderr, "Tavrin: database operation failed: %s\n", qPrintable(reason));
}

} // namespace

QString listLoadFailureText(const QString& reason) {
    logDriverDetail(reason);
    return QStringLiteral("无法从股票数据库文件 Database.db 读出股票列表，列表显示的可能不是最新内容。");
}

QString databaseFailureText(const QString& reason) {
    logDriverDetail(reason);
    return QStringLiteral("无法读写股票数据库文件 Database.db，本次操作未作任何更改。\n"
                          "请检查该文件是否存在、是否被其他程序占用或是否已损坏。");
}

QString stateNotSavedText(const QString& path) {
    return QStringLiteral("已保存，但无法写入预警状态文件：%1\n预警照常进行，连续涨跌的计数不会保留。")
        .arg(QDir::toNativeSeparators(path));
}

} // namespace tavrin
