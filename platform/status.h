#pragma once

#include <QString>
#include <utility>

namespace tavrin {

// The outcome of an operation that can fail, the one way every layer reports it:
// ok, or a failure with a message (a sentence a user may be shown) and a detail
// (the technical reason: a driver's or the system's own words, for the error stream).
class Status {
public:
    Status() = default;
    static Status failure(QString message, QString detail = {}) {
        Status status;
        status.m_ok = false;
        status.m_message = std::move(message);
        status.m_detail = std::move(detail);
        return status;
    }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QString& message() const { return m_message; }
    const QString& detail() const { return m_detail; }
    // The detail when there is one, else the message: what a log line should say.
    const QString& reason() const { return m_detail.isEmpty() ? m_message : m_detail; }

    // Copies the failure of another status into this one (a derived result keeps its fields).
    void fail(const Status& other) {
        m_ok = other.m_ok;
        m_message = other.m_message;
        m_detail = other.m_detail;
    }

private:
    bool m_ok = true;
    QString m_message;
    QString m_detail;
};

// A value, or the failure that kept it from being made.
template <typename T> struct Result : Status {
    Result() = default;
    Result(T v) : value(std::move(v)) {}
    Result(const Status& status) { fail(status); }
    T value{};
};

} // namespace tavrin
