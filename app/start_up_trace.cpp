#include "app/start_up_trace.h"

#include "app/start_up_timing.h"
#include "monitor/monitoring_cycle.h"

#include <QEvent>
#include <QWidget>
#include <memory>

namespace tavrin {

namespace {

using start_up_timing::Clock;
using start_up_timing::printElapsed;

// Taken during static initialisation: the earliest moment the program's own code runs.
const Clock::time_point programStart = Clock::now();

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
                    printElapsed("first-paint", m_since);
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
    const Clock::time_point since = start_up_timing::launchTime(programStart);
    new FirstPaintWatch(mainWindow, since);
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection =
        QObject::connect(&monitoring, &MonitoringCycle::passApplied, &monitoring, [connection, since] {
            QObject::disconnect(*connection);
            printElapsed("first-refresh", since);
        });
}

} // namespace tavrin
