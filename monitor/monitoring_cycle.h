#pragma once

#include "monitor/monitoring_worker.h"

#include <QEvent>
#include <QHash>
#include <QObject>
#include <QTimer>
#include <memory>
#include <mutex>
#include <vector>

namespace tavrin {

class WatchListModel;

// A timer's period as the monitoring switch sees it: 0 is stopped.
void setTimerPeriod(QTimer& timer, int milliseconds);
int timerPeriod(const QTimer& timer);

// The monitoring switch and the passes it drives, on the UI thread. The switch's
// state lives where the user sees it: the button caption and the two timer periods.
// Quote answers are applied as they arrive, each only to a row that still holds
// its stock; a pass ends when the last of its requests has.
class MonitoringCycle : public QObject {
    Q_OBJECT

public:
    static constexpr int kPeriodMs = 3000;
    static QString offCaption();
    static QString onCaption();

    MonitoringCycle(WatchListModel& model, QTimer& monitorTimer, QTimer& colourTimer,
                    std::unique_ptr<MonitoringWorker> worker, QObject* parent = nullptr);
    ~MonitoringCycle() override;

    // The button was clicked with this caption: switches on or off and announces the
    // new caption; any other caption does nothing.
    void toggle(const QString& caption);
    // Both periods to 0, and the caption back to off.
    void stop();
    // Whether the caption last announced is the "on" one. Only this class changes the
    // caption, so the flag and what the user sees never disagree.
    bool isMonitoring() const { return m_monitoring; }
    // Both periods to 0 when the monitoring timer runs; the caption is left alone.
    void stopTimers();

    // Starts a refresh pass without the alert check (start-up, after an edit). When
    // the worker is still in an alert check the pass follows it, so the edit is not lost.
    void refreshNow();
    // What a tick of the monitoring timer does: alert check and quote requests on the
    // worker. Only a tick that finds the previous alert check still running is
    // skipped; the network never holds one back.
    void tick();

    // An alert check runs, or some pass has requests outstanding.
    bool isBusy() const;
    int skippedTicks() const { return m_skippedTicks; }

signals:
    void captionChanged(const QString& caption);
    // Every request of a pass has ended; rowsWritten rows took its answers.
    void passApplied(int rowsWritten);
    // A reply with more than 999 fields came in.
    void garbledReply();

protected:
    void customEvent(QEvent* event) override;

private:
    bool startPass(bool withAlertCheck);
    // From the request threads: queued for the UI thread under the inbox lock, which
    // thread checkers see too.
    void receive(QuoteAnswer answer);

    WatchListModel& m_model;
    bool m_monitoring = false;
    QTimer& m_monitorTimer;
    QTimer& m_colourTimer;
    std::mutex m_inboxMutex;
    std::vector<QuoteAnswer> m_inbox;
    bool m_inboxPosted = false;
    int m_lastPass = 0;
    QHash<int, int> m_openPasses; // pass to rows written so far
    bool m_refreshPending = false;
    int m_skippedTicks = 0;
    // Last: the worker and its requests end before the inbox they post to.
    std::unique_ptr<MonitoringThread> m_thread;
};

} // namespace tavrin
