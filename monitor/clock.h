#pragma once

#include <QDateTime>

namespace tavrin {

// The local date and time; tests put a fixed clock in its place.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace tavrin
