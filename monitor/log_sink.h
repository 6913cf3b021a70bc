#pragma once

#include <QString>
#include <QStringList>

namespace tavrin {

// Where log messages go. Safe to call from any thread; failures are silent.
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void writeLine(const QString& message) = 0;
    // Several lines in their order; a sink may write them in one go.
    virtual void writeLines(const QStringList& messages) {
        for (const QString& message : messages)
            writeLine(message);
    }
};

} // namespace tavrin
