#pragma once

#include "monitor/monitoring_worker.h"

#include <QObject>
#include <QTimer>
#include <memory>

namespace tavrin {

class WatchListModel;

// A timer's period as the monitoring switch sees it: 0 is stopped.
void setTimerPeriod(QTimer& timer, int milliseconds);
int timerPeriod(const QTimer& timer);

// The monitoring switch and the passes it drives, on the UI thread. The switch's
// state lives where the user sees it: the button caption and the two timer periods.
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
    // Both periods to 0 when the monitoring timer runs; the caption is left alone.
    void stopTimers();

    // Starts a refresh pass without the alert check (start-up, after an edit). When a
    // pass is running it is run once more after that one, so the edit is not lost.
    void refreshNow();
    // What a tick of the monitoring timer does: alert check and refresh on the worker,
    // or nothing when the previous pass is still running.
    void tick();

    bool isBusy() const;
    int skippedTicks() const { return m_skippedTicks; }

signals:
    void captionChanged(const QString& caption);
    void passApplied(int rowsWritten);
    // A reply with more than 999 fields came in during a pass.
    void garbledReply();

private:
    bool startPass(bool withAlertCheck);
    void finishPass(const tavrin::RowRefreshes& refreshes, bool tooManyFields);

    WatchListModel& m_model;
    QTimer& m_monitorTimer;
    QTimer& m_colourTimer;
    std::unique_ptr<MonitoringThread> m_thread;
    bool m_refreshPending = false;
    int m_skippedTicks = 0;
};

} // namespace tavrin
