#pragma once

#include "monitor/clock.h"
#include "monitor/log_sink.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>

namespace tavrin {

// The line written when the program starts.
inline constexpr QStringView startupLogMessage = u"=========程序启动===========";

// One GBK text file per local day in the data directory's log folder, e.g.
// log/2024-3-5.txt, with lines "2024-3-5 9:5:7  message\r\n". Every line opens,
// appends to and closes the file under one process-wide lock, so lines from many
// threads never split each other. The log folder is never created: without it
// nothing is written.
class DailyLog final : public LogSink {
public:
    DailyLog(QString dataDirectory, const Clock& clock);

    void writeLine(const QString& message) override;
    // All lines with one time stamp, the file opened once: a check of a long list
    // writes thousands.
    void writeLines(const QStringList& messages) override;
    // As writeLine; false when the line could not be written.
    bool append(QStringView message);

    QString filePath(QDate date) const;

    // "2024-3-5.txt": no leading zeros.
    static QString fileName(QDate date);
    // The GBK bytes of one line, CR LF included.
    static QByteArray formatLine(const QDateTime& at, QStringView message);

private:
    bool appendBytes(QDate date, const QByteArray& lines);

    QString m_dataDirectory;
    const Clock& m_clock;
};

} // namespace tavrin
