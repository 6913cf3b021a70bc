#include "monitor/monitoring_cycle.h"

#include "monitor/colour_pass.h"
#include "monitor/row_snapshot.h"
#include "store/watch_list_model.h"

namespace tavrin {

void setTimerPeriod(QTimer& timer, int milliseconds) {
    timer.setInterval(milliseconds);
    if (milliseconds > 0)
        timer.start();
    else
        timer.stop();
}

int timerPeriod(const QTimer& timer) {
    return timer.isActive() ? timer.interval() : 0;
}

QString MonitoringCycle::offCaption() {
    return QStringLiteral("执行监控");
}

QString MonitoringCycle::onCaption() {
    return QStringLiteral("停止监控");
}

MonitoringCycle::MonitoringCycle(WatchListModel& model, QTimer& monitorTimer, QTimer& colourTimer,
                                 std::unique_ptr<MonitoringWorker> worker, QObject* parent)
    : QObject(parent), m_model(model), m_monitorTimer(monitorTimer), m_colourTimer(colourTimer),
      m_thread(std::make_unique<MonitoringThread>(std::move(worker))) {
    connect(&m_monitorTimer, &QTimer::timeout, this, &MonitoringCycle::tick);
    connect(&m_colourTimer, &QTimer::timeout, this, [this] { runColourPass(m_model); });
    connect(m_thread->worker(), &MonitoringWorker::passFinished, this, &MonitoringCycle::finishPass,
            Qt::QueuedConnection);
}

MonitoringCycle::~MonitoringCycle() = default;

void MonitoringCycle::toggle(const QString& caption) {
    if (caption == offCaption()) {
        setTimerPeriod(m_colourTimer, kPeriodMs);
        setTimerPeriod(m_monitorTimer, kPeriodMs);
        emit captionChanged(onCaption());
    } else if (caption == onCaption()) {
        stop();
    }
}

void MonitoringCycle::stop() {
    setTimerPeriod(m_colourTimer, 0);
    setTimerPeriod(m_monitorTimer, 0);
    emit captionChanged(offCaption());
}

void MonitoringCycle::stopTimers() {
    if (timerPeriod(m_monitorTimer) != 0) {
        setTimerPeriod(m_monitorTimer, 0);
        setTimerPeriod(m_colourTimer, 0);
    }
}

void MonitoringCycle::refreshNow() {
    if (!startPass(false))
        m_refreshPending = true;
}

bool MonitoringCycle::isBusy() const {
    return m_thread->worker()->isBusy();
}

void MonitoringCycle::tick() {
    // A slow network must not pile up passes: a tick that finds the worker busy is dropped.
    if (!startPass(true))
        ++m_skippedTicks;
}

bool MonitoringCycle::startPass(bool withAlertCheck) {
    MonitoringWorker* worker = m_thread->worker();
    if (!worker->tryClaim())
        return false;
    const RowSnapshots rows = takeSnapshot(m_model);
    QMetaObject::invokeMethod(
        worker, [worker, rows, withAlertCheck] { worker->runPass(rows, withAlertCheck); },
        Qt::QueuedConnection);
    return true;
}

void MonitoringCycle::finishPass(const RowRefreshes& refreshes, bool tooManyFields) {
    const int written = applyRefreshes(m_model, refreshes);
    if (tooManyFields)
        emit garbledReply();
    emit passApplied(written);
    if (m_refreshPending) {
        m_refreshPending = false;
        refreshNow();
    }
}

} // namespace tavrin
