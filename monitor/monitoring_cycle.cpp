#include "monitor/monitoring_cycle.h"

#include "monitor/colour_pass.h"
#include "monitor/row_snapshot.h"
#include "store/watch_list_model.h"

#include <QCoreApplication>

namespace tavrin {

namespace {

const QEvent::Type answersEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

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
    : QObject(parent), m_model(model), m_monitorTimer(monitorTimer), m_colourTimer(colourTimer) {
    worker->setAnswerSink([this](QuoteAnswer answer) { receive(std::move(answer)); });
    m_thread = std::make_unique<MonitoringThread>(std::move(worker));
    connect(&m_monitorTimer, &QTimer::timeout, this, &MonitoringCycle::tick);
    connect(&m_colourTimer, &QTimer::timeout, this, [this] { runColourPass(m_model); });
}

MonitoringCycle::~MonitoringCycle() {
    m_thread.reset();
}

void MonitoringCycle::toggle(const QString& caption) {
    if (caption == offCaption()) {
        setTimerPeriod(m_colourTimer, kPeriodMs);
        setTimerPeriod(m_monitorTimer, kPeriodMs);
        m_monitoring = true;
        emit captionChanged(onCaption());
    } else if (caption == onCaption()) {
        stop();
    }
}

void MonitoringCycle::stop() {
    setTimerPeriod(m_colourTimer, 0);
    setTimerPeriod(m_monitorTimer, 0);
    m_monitoring = false;
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
    return m_thread->worker()->isBusy() || !m_openPasses.isEmpty();
}

void MonitoringCycle::tick() {
    // Alert checks must not pile up: a tick that finds one still running is dropped.
    if (!startPass(true))
        ++m_skippedTicks;
}

bool MonitoringCycle::startPass(bool withAlertCheck) {
    MonitoringWorker* worker = m_thread->worker();
    if (!worker->tryClaim())
        return false;
    const int pass = ++m_lastPass;
    m_openPasses.insert(pass, 0);
    const RowSnapshots rows = takeSnapshot(m_model);
    QMetaObject::invokeMethod(
        worker, [worker, pass, rows, withAlertCheck] { worker->runPass(pass, rows, withAlertCheck); },
        Qt::QueuedConnection);
    return true;
}

void MonitoringCycle::receive(QuoteAnswer answer) {
    const std::lock_guard guard(m_inboxMutex);
    m_inbox.push_back(std::move(answer));
    // One event at a time drains everything that came in until it runs.
    if (!m_inboxPosted) {
        m_inboxPosted = true;
        QCoreApplication::postEvent(this, new QEvent(answersEvent));
    }
}

void MonitoringCycle::customEvent(QEvent* event) {
    std::vector<QuoteAnswer> answers;
    {
        // The event was made by a request thread: look at it only under the lock.
        const std::lock_guard guard(m_inboxMutex);
        if (event->type() != answersEvent)
            return;
        answers.swap(m_inbox);
        m_inboxPosted = false;
    }
    // Every answer is in the list before anyone hears of it: a slot that opens a
    // message box runs a nested event loop, which must find nothing half applied.
    bool garbled = false;
    std::vector<int> ended; // rows written by each pass that ended
    for (const QuoteAnswer& answer : answers) {
        const int written = applyRefreshes(m_model, answer.refreshes);
        m_openPasses[answer.pass] += written;
        garbled = garbled || answer.tooManyFields;
        if (answer.passEnded)
            ended.push_back(m_openPasses.take(answer.pass));
    }
    if (garbled)
        emit garbledReply();
    for (int written : ended)
        emit passApplied(written);
    if (!ended.empty() && m_refreshPending) {
        m_refreshPending = false;
        refreshNow();
    }
}

} // namespace tavrin
