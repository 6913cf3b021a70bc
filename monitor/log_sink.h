#pragma once

#include <QString>

namespace tavrin {

// Where log messages go. Safe to call from any thread; failures are silent.
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void writeLine(const QString& message) = 0;
};

} // namespace tavrin
