#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// A loopback URL on which nothing listens: a port that was free a moment ago.
QByteArray unreachableBaseUrl();

// Runs tools/quote-sim on a free loopback port for the lifetime of a test.
class QuoteSimProcess {
public:
    explicit QuoteSimProcess(QStringList extraArguments = {});
    ~QuoteSimProcess();
    QuoteSimProcess(const QuoteSimProcess&) = delete;
    QuoteSimProcess& operator=(const QuoteSimProcess&) = delete;

    bool start();
    QString baseUrl() const { return m_baseUrl; }

    // GET of an admin path such as "/admin/fault?mode=empty&code=600519";
    // returns the body, or a null array on failure.
    QByteArray admin(const QString& pathAndQuery);

    // Fault modes and pinned prices set through admin() are undone when the guard
    // goes, so one test's setting never reaches the next.
    class StateGuard {
    public:
        explicit StateGuard(QuoteSimProcess& sim) : m_sim(sim) {}
        ~StateGuard() { m_sim.admin(QStringLiteral("/admin/clear")); }
        Q_DISABLE_COPY_MOVE(StateGuard)

    private:
        QuoteSimProcess& m_sim;
    };

private:
    QStringList m_arguments;
    QProcess m_process;
    QString m_baseUrl;
};
