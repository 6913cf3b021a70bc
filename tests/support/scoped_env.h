#pragma once

#include <QByteArray>
#include <QtGlobal>

// Sets (or, with a null value, clears) an environment variable for the lifetime of
// the object and puts back what was there, so a failing test cannot leak it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnv() {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    Q_DISABLE_COPY_MOVE(ScopedEnv)

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};
