#include "app/start_up_trace.h"

#include "monitor/monitoring_cycle.h"

#include <QEvent>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <memory>

namespace tavrin {

namespace {

using Clock = std::chrono::steady_clock;

// Taken during static initialisation: the earliest moment the program's own code runs.
const Clock::time_point programStart = Clock::now();

Clock::time_point launchTime() {
    const QByteArray value = qgetenv("TAVRIN_STARTUP_TRACE");
    bool ok = false;
    const qlonglong ns = value.startsWith("t0=") ? value.mid(3).toLongLong(&ok) : 0;
    return ok ? Clock::time_point(std::chrono::nanoseconds(ns)) : programStart;
}

void print(const char* what, Clock::time_point since) {
    const auto elapsed = std::chrono::duration<double, std::milli>(Clock::now() - since);
    std::fprintf(stderr, "%s %.1f\n", what, elapsed.count());
    std::fflush(stderr);
}

class FirstPaintWatch final : public QObject {
    Q_DISABLE_COPY_MOVE(FirstPaintWatch)

public:
    FirstPaintWatch(QWidget& window, Clock::time_point since) : QObject(&window), m_since(since) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            watched->removeEventFilter(this);
            // The children paint after the window itself: report when the whole pass is done.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    print("first-paint", m_since);
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    Clock::time_point m_since;
    bool m_seen = false;
};

} // namespace

void traceStartUp(QWidget& mainWindow, MonitoringCycle& monitoring) {
    if (!qEnvironmentVariableIsSet("TAVRIN_STARTUP_TRACE"))
        return;
    const Clock::time_point since = launchTime();
    new FirstPaintWatch(mainWindow, since);
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection =
        QObject::connect(&monitoring, &MonitoringCycle::passApplied, &monitoring, [connection, since] {
            QObject::disconnect(*connection);
            print("first-refresh", since);
        });
}

} // namespace tavrin
