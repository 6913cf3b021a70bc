#include "monitor/daily_log.h"

#include "platform/gbk.h"

#include <QDir>
#include <QFile>
#include <mutex>

using namespace Qt::StringLiterals;

namespace tavrin {

namespace {

std::mutex& logMutex() {
    static std::mutex mutex;
    return mutex;
}

// "2024-3-5": no leading zeros, as in the file name and the time stamp.
QString dateText(QDate date) {
    return QString::number(date.year()) + u'-' + QString::number(date.month()) + u'-' +
           QString::number(date.day());
}

} // namespace

DailyLog::DailyLog(QString dataDirectory, const Clock& clock)
    : m_dataDirectory(std::move(dataDirectory)), m_clock(clock) {}

QString DailyLog::fileName(QDate date) {
    return dateText(date) + u".txt";
}

QString DailyLog::filePath(QDate date) const {
    return QDir(m_dataDirectory).filePath(u"log/"_s + fileName(date));
}

namespace {

QString stampText(const QDateTime& at) {
    const QTime time = at.time();
    return dateText(at.date()) + u' ' + QString::number(time.hour()) + u':' + QString::number(time.minute()) +
           u':' + QString::number(time.second());
}

} // namespace

QByteArray DailyLog::formatLine(const QDateTime& at, QStringView message) {
    return gbk::encode(stampText(at)) + "  " + gbk::encode(message) + "\r\n";
}

void DailyLog::writeLine(const QString& message) {
    append(message);
}

void DailyLog::writeLines(const QStringList& messages) {
    if (messages.isEmpty())
        return;
    const QDateTime at = m_clock.now();
    // One conversion for all lines: the stamp and the line breaks are ASCII.
    const QString stamp = stampText(at) + u"  ";
    QString lines;
    for (const QString& message : messages)
        lines += stamp + message + u"\r\n";
    appendBytes(at.date(), gbk::encode(lines));
}

bool DailyLog::append(QStringView message) {
    // One reading of the clock gives both the file and the time stamp, so a line
    // written at midnight never lands in the day before its stamp.
    const QDateTime at = m_clock.now();
    return appendBytes(at.date(), formatLine(at, message));
}

bool DailyLog::appendBytes(QDate date, const QByteArray& lines) {
    const std::lock_guard guard(logMutex());
    // Append never truncates, and opening fails when the log folder is missing.
    QFile file(filePath(date));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const bool written = file.write(lines) == lines.size();
    file.close();
    return written;
}

} // namespace tavrin
